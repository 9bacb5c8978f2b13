#include "program.h"

#include "Main.h"
#include "about.h"
#include "artwork.h"
#include "circuit_curves.h"
#include "circuit_settings_holder.h"
#include "regional.h"
#include "shared_icon_style.h"

#include "einstell.h"
#include "graph_window.h"

#include <QApplication>
#include <QLocale>
#include <QMdiArea>

namespace tessera {

char systemDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() > 32 && point.at(0).unicode() < 127)
        return static_cast<char>(point.at(0).unicode());
    return '.';
}

void identifyApplication() {
    QApplication::setApplicationName(QStringLiteral("TESSERA"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    shareStandardIcons();
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("tessera"));
}

TesseraProgram::TesseraProgram(FilterBankState& state, DocumentPrompts* prompts)
    : engine_(state, decimalSeparator()) {
    MainForm_ = std::make_unique<TMainForm>(engine_, prompts);
    MainForm_->showMaximisedOnScreen();

    graphWindows_ = new GraphWindows(MainForm_->mdiArea());
    graphWindows_->setReadiness([this] { return engine_.state().DialogReady != 0; });
    sink_ = std::make_unique<GraphPlotSink>(*graphWindows_);
    circuitCurves_ = std::make_unique<CircuitCurves>(engine_, *sink_);
    engine_.setPlotSink(circuitCurves_.get());
    // The curves draw the op-amp of the shared settings, whoever changes it.
    CircuitSettingsHolder& settings = MainForm_->circuitSettings();
    circuitCurves_->setOpAmp(settings.opAmp());
    QObject::connect(&settings, &CircuitSettingsHolder::changed, MainForm_.get(),
                     [this](const CircuitSettings& s) { circuitCurves_->setOpAmp(s.opAmp); });

    const auto setTitles = [this](GraphWindow window, const QString& title, const QString& xLabel) {
        TControlImage* plot = graphWindows_->plot(window);
        plot->setTitle(title);
        plot->setXlabel(xLabel);
    };
    Dialog_ = std::make_unique<TDialog>(engine_, setTitles, MainForm_.get());
    graphWindows_->setSectionActivatedHook([this](int section) { Dialog_->selectPage(section); });
    MainForm_->recordEditsOf(*Dialog_);

    MainForm_->attachWindows(Dialog_.get(), [this]() -> TAboutBox& { return aboutBox(); });
}

TAboutBox& TesseraProgram::aboutBox() {
    // Built when first shown: nothing of it is seen before, and the start
    // stays shorter.
    if (!AboutBox_) AboutBox_ = std::make_unique<TAboutBox>(MainForm_.get());
    return *AboutBox_;
}

TesseraProgram::~TesseraProgram() {
    // The dialog goes first (it clears DialogReady), then the frame with its
    // graph windows; the engine stops plotting before the plots go away.
    Dialog_.reset();
    AboutBox_.reset();
    engine_.setPlotSink(nullptr);
    graphWindows_->setSectionActivatedHook({});
    MainForm_.reset();
}

} // namespace tessera
