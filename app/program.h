#pragma once
// The whole program's windows over the one filter engine, created in the
// start-up order: the frame (maximised), the six graph windows, the
// configuration dialog (which brings the engine to life); the About box when
// first shown.

#include "filter_engine.h"

#include <memory>

class GraphPlotSink;
class GraphWindows;
class TAboutBox;
class TDialog;
class TMainForm;

namespace tessera {

class CircuitCurves;
class DocumentPrompts;

// The regional decimal separator of the system's settings ('.' when they
// name no single character).
char systemDecimalSeparator();

// The program's name, version, icon and desktop entry, set on the running
// application before its first window, and its style made to share the
// child windows' frame pictures.
void identifyApplication();

class TesseraProgram {
public:
    // `prompts` answers the frame's questions and file dialogs (the real
    // message boxes and file dialogs when null). Uses the filter bank state
    // `state` and the separator in effect (decimalSeparator()).
    explicit TesseraProgram(FilterBankState& state, DocumentPrompts* prompts = nullptr);
    ~TesseraProgram();

    FilterEngine& engine() { return engine_; }
    TMainForm& mainForm() { return *MainForm_; }
    GraphWindows& graphWindows() { return *graphWindows_; }
    TDialog& dialog() { return *Dialog_; }
    TAboutBox& aboutBox();

private:
    FilterEngine engine_;
    std::unique_ptr<TMainForm> MainForm_;
    GraphWindows* graphWindows_ = nullptr; // owned by the frame's area
    std::unique_ptr<GraphPlotSink> sink_;
    // Between the engine and the windows: the op-amp and tolerance curves.
    std::unique_ptr<CircuitCurves> circuitCurves_;
    std::unique_ptr<TDialog> Dialog_;
    std::unique_ptr<TAboutBox> AboutBox_;
};

} // namespace tessera
