#pragma once
// The sentences the headless code says to its user, each in English and in
// German, and the outcome value that carries one.
//
// How to use it:
// - Each layer keeps its sentences as `inline constexpr Wording` entries in
//   one header (engine: below; files: file_messages.h; design:
//   design_messages.h; the command line: cli_messages.h). "%1" ... "%9" stand
//   for the arguments: file names, typed text, numbers already formatted by
//   today's rules (the decimal separator is not a matter of language).
// - Headless code never picks a language: it returns a Message, the entry
//   and its arguments, e.g. `Message{kCannotOpenFile, {name}}`.
// - Whoever shows it renders it in the language of its program:
//   `message.text(language)` (the desktop: its chosen language; the command
//   line: --language or the environment; the web page: English).
// - The German text of a sentence that the program said before it spoke two
//   languages is that text, character for character, even where it was
//   English: scripts rely on them.

#include "language.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessera {

struct Wording {
    std::string_view english;
    std::string_view german;

    std::string_view in(Language language) const { return language == Language::German ? german : english; }
};

// A sentence that reads the same in both languages (as the program has always
// said it).
constexpr Wording sameInBoth(std::string_view text) { return {text, text}; }

// `wording` in `language` with "%1" ... "%9" replaced by the arguments (a
// missing one by nothing); "%" before anything else stays as it is.
std::string render(const Wording& wording, Language language, const std::vector<std::string>& arguments = {});

// One or more catalogue entries with their arguments, said one after the
// other (a lead such as "The parts list is not written: " and its reason).
class Message {
public:
    Message() = default;
    Message(const Wording& wording, std::vector<std::string> arguments = {})
        : parts_{{&wording, std::move(arguments)}} {}

    bool empty() const { return parts_.empty(); }
    std::string text(Language language) const;

    // This message with `next` said right after it.
    Message followedBy(const Message& next) const;

    // Whether it starts with that sentence (the address of its catalogue entry).
    bool is(const Wording& wording) const { return !parts_.empty() && parts_.front().wording == &wording; }

    bool operator==(const Message&) const = default;

private:
    struct Part {
        const Wording* wording;
        std::vector<std::string> arguments;
        bool operator==(const Part&) const = default;
    };
    std::vector<Part> parts_;
};

// The engine's own sentences.
inline constexpr Wording kNumberTooLarge{"The number is too large.", "Die Zahl ist zu groß."};
inline constexpr Wording kInvalidFloatOperation{"Invalid floating-point operation", "Ungültige Gleitkommaoperation"};

} // namespace tessera
