#include "fit_dialog.h"

#include "circuit_input.h"
#include "contimage.h"
#include "fit.h"
#include "fit_apply.h"
#include "fit_parallel.h"
#include "fit_target.h"
#include "noise_view.h"
#include "number_text.h"
#include "plot_drawing.h"
#include "program_language.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QEventLoop>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>
#include <thread>

using namespace tessera;

namespace {

QString qtext(const std::string& text) { return QString::fromStdString(text); }

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The names of the preview's curves, each in its curve's colour on the
// plot's background.
QString previewLegend(bool withTarget) {
    const plot::ColourSet colours = plot::ColourSet::screen();
    const auto name = [](const QString& text, QRgb colour) {
        return QStringLiteral("<span style=\"color:%1\">&#9632; %2</span>").arg(QColor(colour).name(), text);
    };
    QStringList names{name(TFitDialog::tr("Result"), colours.mainCurve),
                      name(TFitDialog::tr("Measurement"), colours.measurement)};
    if (withTarget) names << name(TFitDialog::tr("Target"), colours.fitTarget);
    return names.join(QStringLiteral("&nbsp;&nbsp;&nbsp;"));
}

// A fit that takes longer than this shows its progress, with Cancel.
constexpr int kProgressAfterMs = 500;
// How often the progress display follows the fit.
constexpr int kProgressPollMs = 30;

} // namespace

TFitDialog::TFitDialog(FilterEngine& engine, std::optional<std::pair<double, double>> markedBand, QWidget* parent)
    : QDialog(parent), engine_(engine) {
    setObjectName(QStringLiteral("FitDialog"));
    setWindowTitle(tr("Fit to Import"));
    buildFields(initialFitForm(markedBand, engine_.separator()));
}

void TFitDialog::buildFields(const FitForm& form) {
    auto* settings = named(new QGroupBox(tr("Target"), this), "TargetGroup");
    auto* fields = new QFormLayout(settings);
    auto* band = new QHBoxLayout;
    bandLow_ = named(new QLineEdit(qtext(form.bandLow)), "BandLowEdit");
    bandHigh_ = named(new QLineEdit(qtext(form.bandHigh)), "BandHighEdit");
    band->addWidget(bandLow_);
    band->addWidget(named(new QLabel(tr("to")), "BandToLabel"));
    band->addWidget(bandHigh_);
    fields->addRow(named(new QLabel(tr("Band (Hz):")), "BandLabel"), band);
    buildTargetRows(fields);

    auto* level = new QHBoxLayout;
    automaticLevel_ = named(new QCheckBox(tr("automatic")), "AutomaticLevelCheck");
    automaticLevel_->setChecked(form.automaticLevel);
    level_ = named(new QLineEdit(qtext(form.level)), "LevelEdit");
    level_->setEnabled(!form.automaticLevel);
    connect(automaticLevel_, &QCheckBox::toggled, level_, [this](bool on) { level_->setEnabled(!on); });
    level->addWidget(automaticLevel_);
    level->addWidget(level_);
    fields->addRow(named(new QLabel(tr("Level (dB):")), "LevelLabel"), level);
    tilt_ = named(new QLineEdit(qtext(form.tilt)), "TiltEdit");
    fields->addRow(named(new QLabel(tr("Tilt (dB/decade):")), "TiltLabel"), tilt_);
    maxBoost_ = named(new QLineEdit(qtext(form.maxBoost)), "MaxBoostEdit");
    fields->addRow(named(new QLabel(tr("Maximum boost (dB):")), "MaxBoostLabel"), maxBoost_);

    auto* series = new QHBoxLayout;
    e24_ = named(new QRadioButton(QStringLiteral("E24")), "SeriesE24Radio");
    e12_ = named(new QRadioButton(QStringLiteral("E12")), "SeriesE12Radio");
    (form.series == Series::E12 ? e12_ : e24_)->setChecked(true);
    series->addWidget(e24_);
    series->addWidget(e12_);
    fields->addRow(named(new QLabel(tr("Series:")), "SeriesLabel"), series);
    chooseCapacitors_ = named(new QCheckBox(tr("Choose capacitors")), "ChooseCapacitorsCheck");
    chooseCapacitors_->setChecked(form.chooseCapacitors);
    fields->addRow(chooseCapacitors_);
    auto* sections = new QHBoxLayout;
    for (int s = 1; s <= kSectionCount; ++s) {
        auto* box = new QCheckBox(QString::number(s));
        box->setObjectName(QStringLiteral("Section%1Check").arg(s));
        box->setChecked(form.sections[static_cast<std::size_t>(s - 1)]);
        sections->addWidget(box);
        sections_[static_cast<std::size_t>(s - 1)] = box;
    }
    fields->addRow(named(new QLabel(tr("Sections:")), "SectionsLabel"), sections);
    circuitLabel_ = named(new QLabel, "CircuitLabel");
    circuitLabel_->setWordWrap(true);
    fields->addRow(circuitLabel_);
    setCircuitSettings(circuit_);

    errorBefore_ = named(new QLabel, "ErrorBeforeLabel");
    errorAfter_ = named(new QLabel, "ErrorAfterLabel");
    parts_ = named(new QLabel, "PartsLabel");
    message_ = named(new QLabel, "MessageLabel");
    message_->setWordWrap(true);
    message_->setStyleSheet(QStringLiteral("color: red"));
    auto* results = named(new QGroupBox(tr("Result"), this), "ResultGroup");
    auto* resultRows = new QFormLayout(results);
    resultRows->addRow(named(new QLabel(tr("Error before:")), "ErrorBeforeCaption"), errorBefore_);
    resultRows->addRow(named(new QLabel(tr("Error after:")), "ErrorAfterCaption"), errorAfter_);
    noiseBefore_ = named(new QLabel, "NoiseBeforeLabel");
    noiseAfter_ = named(new QLabel, "NoiseAfterLabel");
    resultRows->addRow(named(new QLabel(tr("Noise before:")), "NoiseBeforeCaption"), noiseBefore_);
    resultRows->addRow(named(new QLabel(tr("Noise after:")), "NoiseAfterCaption"), noiseAfter_);
    resultRows->addRow(parts_);
    resultRows->addRow(message_);

    preview_ = named(new TControlImage(this), "PreviewPlot");
    preview_->setTitle(tr("Fit preview"));
    preview_->SetData(currentPreview(engine_.state()));
    preview_->setMinimumSize(420, 300);
    legend_ = named(new QLabel(previewLegend(false)), "PreviewLegend");
    legend_->setTextFormat(Qt::RichText);
    legend_->setAlignment(Qt::AlignCenter);
    legend_->setAutoFillBackground(true);
    QPalette plotColours = legend_->palette();
    plotColours.setColor(QPalette::Window, QColor(plot::ColourSet::screen().plotArea));
    legend_->setPalette(plotColours);

    fit_ = named(new QPushButton(tr("&Fit")), "FitButton");
    apply_ = named(new QPushButton(tr("&Apply")), "ApplyButton");
    close_ = named(new QPushButton(tr("&Close")), "CloseButton");
    apply_->setEnabled(false);
    fit_->setDefault(true);
    connect(fit_, &QPushButton::clicked, this, &TFitDialog::FitButtonClick);
    connect(apply_, &QPushButton::clicked, this, &TFitDialog::ApplyButtonClick);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {fit_, apply_, close_}) buttons->addWidget(b);

    auto* left = new QVBoxLayout;
    left->addWidget(settings);
    left->addWidget(results);
    left->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    auto* previewColumn = new QVBoxLayout;
    previewColumn->addWidget(preview_, 1);
    previewColumn->addWidget(legend_);
    columns->addLayout(previewColumn, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(columns, 1);
    all->addLayout(buttons);
}

void TFitDialog::buildTargetRows(QFormLayout* fields) {
    auto* choice = new QHBoxLayout;
    targetLine_ = named(new QRadioButton(tr("level and tilt")), "TargetLineRadio");
    targetCurve_ = named(new QRadioButton(tr("curve from file…")), "TargetCurveRadio");
    targetLine_->setChecked(true);
    auto* group = new QButtonGroup(this);
    group->addButton(targetLine_);
    group->addButton(targetCurve_);
    targetFile_ = named(new QLabel, "TargetFileLabel");
    choice->addWidget(targetLine_);
    choice->addWidget(targetCurve_);
    choice->addWidget(targetFile_, 1);
    fields->addRow(named(new QLabel(tr("Target:")), "TargetLabel"), choice);
    // A click, not a toggle: choosing the curve again picks another file.
    connect(targetCurve_, &QRadioButton::clicked, this, &TFitDialog::chooseTarget);
    connect(targetLine_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) refreshPreview();
    });

    smoothing_ = named(new QComboBox, "SmoothingCombo");
    for (const auto& [text, n] : smoothingChoices()) smoothing_->addItem(qtext(text), n);
    fields->addRow(named(new QLabel(tr("Smoothing:")), "SmoothingLabel"), smoothing_);
    connect(smoothing_, &QComboBox::currentIndexChanged, this, &TFitDialog::refreshPreview);
}

void TFitDialog::setCircuitSettings(const CircuitSettings& settings) {
    circuit_ = settings;
    const char separator = engine_.separator();
    circuitLabel_->setText(tr("Op-amp %1, summing resistors %2, resistors %3 to %4")
                               .arg(qtext(settings.opAmp.name), qtext(ohmsText(settings.summingOhms, separator)),
                                    qtext(ohmsText(settings.resistors.low, separator)),
                                    qtext(ohmsText(settings.resistors.high, separator))));
}

void TFitDialog::chooseTarget() {
    const auto restore = [this] { (target_ ? targetCurve_ : targetLine_)->setChecked(true); };
    const std::optional<std::string> file = chooseTargetFile_ ? chooseTargetFile_() : std::nullopt;
    if (!file) return restore();
    TargetReading reading = readTargetCurve(*file);
    if (!reading.outcome.done()) {
        restore();
        if (reading.outcome.refused()) showMessage(qtext(inProgramLanguage(reading.outcome.message)));
        return;
    }
    target_ = std::move(reading.curve);
    targetCurve_->setChecked(true);
    const QString name = QString::fromStdString(*file);
    targetFile_->setText(QFileInfo(name).fileName());
    targetFile_->setToolTip(name);
    message_->clear();
    refreshPreview();
}

void TFitDialog::refreshPreview() {
    if (fitting_) return;
    FitSettings settings;
    FitForm f = form();
    f.automaticLevel = f.automaticLevel || !typedNumber(f.level); // a level still being typed
    if (readFitForm(f, settings)) {
        settings = FitSettings{};
        settings.smoothing = f.smoothing;
        settings.target = f.target;
    }
    preview_->SetData(currentPreview(engine_.state(), settings));
    legend_->setText(previewLegend(settings.target.has_value()));
    showMessage({}); // a fit shown no longer matches the choices
}

FitForm TFitDialog::form() const {
    FitForm f;
    f.bandLow = bandLow_->text().trimmed().toStdString();
    f.bandHigh = bandHigh_->text().trimmed().toStdString();
    f.automaticLevel = automaticLevel_->isChecked();
    f.level = level_->text().trimmed().toStdString();
    f.tilt = tilt_->text().trimmed().toStdString();
    f.maxBoost = maxBoost_->text().trimmed().toStdString();
    f.series = e12_->isChecked() ? Series::E12 : Series::E24;
    f.chooseCapacitors = chooseCapacitors_->isChecked();
    for (std::size_t k = 0; k < sections_.size(); ++k) f.sections[k] = sections_[k]->isChecked();
    f.smoothing = smoothing_->currentData().toInt();
    if (targetCurve_->isChecked()) f.target = target_;
    return f;
}

void TFitDialog::showMessage(const QString& message) {
    message_->setText(message);
    result_.reset();
    apply_->setEnabled(false);
    errorBefore_->clear();
    errorAfter_->clear();
    noiseBefore_->clear();
    noiseAfter_->clear();
    parts_->clear();
}

void TFitDialog::FitButtonClick() {
    if (fitting_) return;
    FitSettings settings;
    settings.circuit = circuit_;
    if (const auto problem = readFitForm(form(), settings)) return showMessage(qtext(inProgramLanguage(*problem)));

    settings.search.threads = fitThreadCount();

    QProgressDialog progress(tr("Fitting the sections…"), tr("Cancel"), 0, 100, this);
    progress.setObjectName(QStringLiteral("FitProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressAfterMs);
    progress.setAutoReset(false);
    // The fit runs on a thread of its own over a copy of the state, so the
    // windows keep painting; this thread shows its progress and passes on
    // Cancel. A second Fit, an Apply of the previous result or a Close waits
    // for it.
    fitting_ = true;
    for (QPushButton* button : {fit_, apply_, close_}) button->setEnabled(false);
    const FilterBankState state = engine_.state();
    std::atomic<bool> cancel{false};
    std::atomic<int> percent{0};
    FitOutcome outcome;
    QEventLoop waiting;
    QTimer poll;
    poll.setInterval(kProgressPollMs);
    connect(&poll, &QTimer::timeout, &waiting, [&] {
        progress.setValue(percent.load());
        if (progress.wasCanceled()) cancel = true;
    });
    poll.start();
    std::thread worker([&] {
        outcome = fitSections(state, settings, &cancel, [&](double fraction) { percent = static_cast<int>(fraction * 100); });
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    waiting.exec();
    worker.join();
    poll.stop();
    progress.reset();
    fitting_ = false;
    fit_->setEnabled(true);
    close_->setEnabled(true);
    if (outcome.status == FitStatus::Cancelled) return showMessage(tr("The fit was cancelled."));
    if (!outcome.done()) return showMessage(qtext(inProgramLanguage(outcome.message)));

    const char separator = engine_.separator();
    result_ = outcome.result;
    message_->setText(qtext(unrealisedNote(settings, *result_)));
    errorBefore_->setText(qtext(fitErrorText(result_->before, separator)));
    errorAfter_->setText(qtext(fitErrorText(result_->after, separator)));
    noiseBefore_->setText(qtext(noiseText(result_->noiseBeforeUv, separator)));
    noiseAfter_->setText(qtext(noiseText(result_->noiseAfterUv, separator)));
    QStringList lines;
    for (int s = 1; s <= kSectionCount; ++s)
        lines << qtext(fittedSectionText(s, result_->section(s), engine_.state(), separator));
    parts_->setText(lines.join(QLatin1Char('\n')));
    preview_->SetData(fitPreview(engine_.state(), *result_));
    legend_->setText(previewLegend(true));
    apply_->setEnabled(true);
}

void TFitDialog::ApplyButtonClick() {
    if (!result_ || fitting_) return;
    applyFit(engine_, *result_);
    // The fit was for the state before Apply; Fit again to start from here.
    apply_->setEnabled(false);
}

void TFitDialog::reject() {
    if (!fitting_) QDialog::reject();
}
