#include "tolerance_dialog.h"

#include "circuit_curves.h"
#include "circuit_input.h"
#include "document.h"
#include "frequency_grid.h"
#include "number_text.h"
#include "program_language.h"
#include "tool_widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
using tessera::tools::named;
using tessera::tools::qt;

template <std::size_t N>
QComboBox* percentBox(const double (&values)[N], double chosen, char separator, const char* name) {
    auto* box = named(new QComboBox, name);
    for (double v : values) {
        box->addItem(qt(tessera::generalText(v, 3, separator) + " %"), v);
        if (v == chosen) box->setCurrentIndex(box->count() - 1);
    }
    return box;
}

// Runs of this many trials or more show a progress window.
constexpr int kTrialsWorthProgress = 20000;
} // namespace

TToleranceDialog::TToleranceDialog(tessera::FilterEngine& engine, tessera::CircuitCurves& curves,
                                   tessera::DocumentPrompts& prompts, QWidget* parent)
    : QDialog(parent), engine_(engine), curves_(curves), prompts_(prompts) {
    setObjectName(QStringLiteral("TolerancesDialog"));
    setWindowTitle(tr("Tolerances"));
    const char sep = engine_.separator();
    const tessera::ToleranceSettings defaults;

    auto* form = new QFormLayout;
    ResistorToleranceBox = percentBox(tessera::kResistorTolerances, defaults.resistorPercent, sep, "ResistorToleranceBox");
    CapacitorToleranceBox =
        percentBox(tessera::kCapacitorTolerances, defaults.capacitorPercent, sep, "CapacitorToleranceBox");
    TrialsEdit = named(new QLineEdit(QString::number(defaults.trials)), "TrialsEdit");
    SeedEdit = named(new QLineEdit(QString::number(defaults.seed)), "SeedEdit");
    BandLowEdit = named(new QLineEdit(QStringLiteral("20")), "BandLowEdit");
    BandHighEdit = named(new QLineEdit(QStringLiteral("20000")), "BandHighEdit");
    auto* band = new QHBoxLayout;
    band->addWidget(BandLowEdit);
    band->addWidget(named(new QLabel(tr("to")), "BandToLabel"));
    band->addWidget(BandHighEdit);
    const auto caption = [](const char* text, QWidget* field, const char* name) {
        auto* label = named(new QLabel(tr(text)), name);
        label->setBuddy(field);
        return label;
    };
    form->addRow(caption(QT_TR_NOOP("&Resistors:"), ResistorToleranceBox, "ResistorsLabel"), ResistorToleranceBox);
    form->addRow(caption(QT_TR_NOOP("&Capacitors:"), CapacitorToleranceBox, "CapacitorsLabel"), CapacitorToleranceBox);
    form->addRow(caption(QT_TR_NOOP("&Trials:"), TrialsEdit, "TrialsLabel"), TrialsEdit);
    form->addRow(caption(QT_TR_NOOP("&Seed:"), SeedEdit, "SeedLabel"), SeedEdit);
    form->addRow(caption(QT_TR_NOOP("&Band (Hz):"), BandLowEdit, "BandLabel"), band);

    DeviationLabel = named(new QLabel, "DeviationLabel");
    DeviationLabel->setWordWrap(true);
    PartsTable = named(new QTableWidget(0, 3), "PartsTable");
    PartsTable->setHorizontalHeaderLabels({tr("Part"), tr("Share of the spread"),
                                           tr("Alone at a tolerance end")});
    PartsTable->verticalHeader()->hide();
    PartsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PartsTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* buttons = named(new QDialogButtonBox, "ButtonBox");
    auto* run = named(buttons->addButton(tr("R&un"), QDialogButtonBox::ActionRole), "RunButton");
    auto* clear = named(buttons->addButton(tr("C&lear curves"), QDialogButtonBox::ActionRole), "ClearButton");
    named(buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole), "CloseButton");
    connect(run, &QPushButton::clicked, this, &TToleranceDialog::RunButtonClick);
    connect(clear, &QPushButton::clicked, this, &TToleranceDialog::ClearButtonClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(DeviationLabel);
    layout->addWidget(PartsTable);
    layout->addWidget(buttons);
    resize(460, 620);
}

bool TToleranceDialog::RunButtonClick() {
    tessera::ToleranceSettings settings;
    settings.resistorPercent = ResistorToleranceBox->currentData().toDouble();
    settings.capacitorPercent = CapacitorToleranceBox->currentData().toDouble();
    const auto trials = tessera::checkTrials(TrialsEdit->text().toStdString());
    const auto seed = tessera::checkSeed(SeedEdit->text().toStdString());
    const auto band = tessera::checkBand((BandLowEdit->text() + QLatin1Char(':') + BandHighEdit->text()).toStdString());
    for (const tessera::Message* message : {&trials.message, &seed.message, &band.message})
        if (!message->empty()) {
            prompts_.reportError(tessera::inProgramLanguage(*message));
            return false;
        }
    settings.trials = *trials.value;
    settings.seed = *seed.value;
    settings.band = *band.value;
    settings.opAmp = curves_.opAmp(); // the chosen op-amp, as in the other circuit tools

    const tessera::CircuitParts parts = tessera::circuitParts(engine_);
    if (const auto reason = tessera::unbuildableReason(parts)) {
        prompts_.reportError(tessera::inProgramLanguage(*reason));
        return false;
    }

    std::unique_ptr<QProgressDialog> progress;
    if (settings.trials >= kTrialsWorthProgress) {
        progress = std::make_unique<QProgressDialog>(tr("Drawing the parts…"), tr("Cancel"), 0,
                                                     settings.trials, this);
        progress->setObjectName(QStringLiteral("ToleranceProgress"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(300);
    }
    const auto result = tessera::runTolerance(parts, settings, [&](int done, int) {
        if (!progress) return true;
        progress->setValue(done);
        QApplication::processEvents();
        return !progress->wasCanceled();
    });
    if (!result) return false; // cancelled: the bounds and figures stay as they were
    curves_.setToleranceBounds(
        tessera::ToleranceBounds{result->parts, result->lowest, result->highest, result->settings.opAmp});
    showResult(*result);
    return true;
}

void TToleranceDialog::showEvent(QShowEvent* event) {
    if (!curves_.hasToleranceBounds()) {
        DeviationLabel->clear();
        PartsTable->setRowCount(0);
    }
    QDialog::showEvent(event);
}

void TToleranceDialog::ClearButtonClick() {
    curves_.setToleranceBounds(std::nullopt);
    DeviationLabel->clear();
    PartsTable->setRowCount(0);
}

void TToleranceDialog::showResult(const tessera::ToleranceResult& result) {
    const char sep = engine_.separator();
    const auto& grid = tessera::gridFrequencies();
    const auto hertz = [&](int i) { return tessera::fixedText(grid[static_cast<std::size_t>(i)], 5, 0, sep); };
    DeviationLabel->setText(
        tr("Largest deviation from the nominal Result between %1 and %2 Hz: %3 dB at %4 Hz (%5 trials). "
           "The Result window shows the lowest and highest curve in yellow.")
            .arg(qt(hertz(result.settings.band.first)), qt(hertz(result.settings.band.last)),
                 qt(tessera::fixedText(result.largestDeviationDb, 3, 2, sep)), qt(hertz(result.largestDeviationPoint)),
                 QString::number(result.settings.trials)));
    PartsTable->setRowCount(static_cast<int>(result.ranking.size()));
    for (int row = 0; row < PartsTable->rowCount(); ++row) {
        const tessera::PartShare& p = result.ranking[static_cast<std::size_t>(row)];
        const QString cells[] = {qt(p.designator), qt(tessera::fixedText(100 * p.share, 4, 1, sep) + " %"),
                                 qt(tessera::fixedText(p.aloneDb, 3, 3, sep) + " dB")};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            PartsTable->setItem(row, c, item);
        }
    }
}
