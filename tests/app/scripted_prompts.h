#pragma once
// Answers the frame's questions and file dialogs from a script and records
// what was asked, so that a test can drive the real menu commands.

#include "document.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ScriptedPrompts : public tessera::DocumentPrompts {
public:
    std::deque<bool> answers;                            // one per question, in order
    std::deque<std::optional<std::string>> chosenFiles; // one per file dialog; nullopt cancels
    std::vector<std::string> questions;
    std::vector<std::string> errors;
    std::vector<std::string> notes; // what inform() was told
    std::vector<tessera::FileDialogKind> dialogs;
    std::vector<std::string> watchedReads;               // the files whose reading was watched
    bool cancelReading = false;                          // cancel each read at its first block

    struct Progress : tessera::ReadProgress {
        bool cancel;
        explicit Progress(bool c) : cancel(c) {}
        bool proceed(std::uint64_t, std::uint64_t) override { return !cancel; }
    };

    bool confirm(const std::string& question) override {
        questions.push_back(question);
        if (answers.empty()) return false; // an unexpected question shows in `questions`
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void reportError(const std::string& message) override { errors.push_back(message); }
    void inform(const std::string& message) override { notes.push_back(message); }
    std::optional<std::string> chooseFile(tessera::FileDialogKind kind) override {
        dialogs.push_back(kind);
        if (chosenFiles.empty()) return std::nullopt;
        auto file = chosenFiles.front();
        chosenFiles.pop_front();
        return file;
    }
    std::unique_ptr<tessera::ReadProgress> watchReading(const std::string& fileName) override {
        watchedReads.push_back(fileName);
        return std::make_unique<Progress>(cancelReading);
    }
};
