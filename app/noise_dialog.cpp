#include "noise_dialog.h"

#include "circuit_curves.h"
#include "circuit_input.h"
#include "circuit_settings_holder.h"
#include "document.h"
#include "noise.h"
#include "noise_report.h"
#include "noise_view.h"
#include "number_text.h"
#include "program_language.h"
#include "standard_series.h"
#include "tool_widgets.h"

#include "contimage.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
using tessera::tools::named;

// The contributors table lists the largest few; the rest share what is left.
constexpr std::size_t kShownContributors = 6;
using tessera::tools::qt;

QString qtView(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A read-only table of `rows` compact rows, exactly as high as they need.
QTableWidget* figureTable(const char* name, const QStringList& columns, int rows) {
    auto* table = named(new QTableWidget(0, static_cast<int>(columns.size())), name);
    table->setHorizontalHeaderLabels(columns);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() +
                          rows * table->verticalHeader()->defaultSectionSize() + 2 * table->frameWidth());
    return table;
}

void setRow(QTableWidget* table, int row, const std::vector<std::string>& cells) {
    for (int column = 0; column < table->columnCount() && column < static_cast<int>(cells.size()); ++column) {
        auto* item = new QTableWidgetItem(qt(cells[static_cast<std::size_t>(column)]));
        item->setTextAlignment((column == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        table->setItem(row, column, item);
    }
}
} // namespace

TNoiseDialog::TNoiseDialog(tessera::FilterEngine& engine, tessera::CircuitCurves& curves,
                           tessera::CircuitSettingsHolder& settings, tessera::DocumentPrompts& prompts,
                           QWidget* parent)
    : QDialog(parent), engine_(engine), curves_(curves), settings_(settings), prompts_(prompts) {
    setObjectName(QStringLiteral("NoiseDialog"));
    setWindowTitle(tr("Noise and Headroom"));
    const char separator = engine_.separator();

    // The circuit settings.
    auto* circuit = named(new QGroupBox(tr("Circuit")), "CircuitGroup");
    auto* form = new QFormLayout(circuit);
    OpAmpBox = named(new QComboBox, "NoiseOpAmpBox");
    for (const tessera::OpAmpModel& model : tessera::opAmpCatalogue()) OpAmpBox->addItem(qt(model.name));
    OpAmpBox->setToolTip(tr("The op-amp every circuit tool uses; Tools → Op-amp takes a custom one"));
    InputLevelEdit = named(new QLineEdit, "InputLevelEdit");
    InputLevelEdit->setToolTip(tr("The largest input level, a sine"));
    OutputPeakEdit = named(new QLineEdit, "OutputPeakEdit");
    OutputPeakEdit->setToolTip(tr("The largest output peak of the op-amps (±15 V rails less 1.5 V: 13.5)"));
    SummingBox = named(new QComboBox, "SummingBox");
    for (double ohms : tessera::e24Values(tessera::kLowestSummingOhms, tessera::kHighestSummingOhms))
        SummingBox->addItem(qt(tessera::ohmsText(ohms, separator)), ohms);
    SummingBox->setToolTip(tr("The four equal resistors of each section's difference amplifier "
                                          "(boost) or gain-2 stage (cut), R13 … R28"));
    ResistorLowEdit = named(new QLineEdit, "ResistorLowEdit");
    ResistorHighEdit = named(new QLineEdit, "ResistorHighEdit");
    auto* range = new QHBoxLayout;
    range->addWidget(ResistorLowEdit);
    range->addWidget(named(new QLabel(tr("to")), "ResistorRangeToLabel"));
    range->addWidget(ResistorHighEdit);
    const auto addRow = [&](const char* caption, const char* labelName, QWidget* field, QLayout* layout = nullptr) {
        auto* label = named(new QLabel(tr(caption)), labelName);
        label->setBuddy(field);
        if (layout) form->addRow(label, layout);
        else form->addRow(label, field);
    };
    addRow(QT_TR_NOOP("&Op-amp:"), "NoiseOpAmpLabel", OpAmpBox);
    addRow(QT_TR_NOOP("&Input level (dBu):"), "InputLevelLabel", InputLevelEdit);
    addRow(QT_TR_NOOP("Output &peak (V):"), "OutputPeakLabel", OutputPeakEdit);
    addRow(QT_TR_NOOP("&Summing resistors:"), "SummingLabel", SummingBox);
    addRow(QT_TR_NOOP("&Resistor range (Ω):"), "ResistorRangeLabel", ResistorLowEdit, range);
    auto* apply = named(new QPushButton(tr("&Apply")), "ApplyButton");
    apply->setToolTip(tr("Take the typed input level, output peak and resistor range"));
    form->addRow(QString(), apply);
    for (QLineEdit* edit : {InputLevelEdit, OutputPeakEdit, ResistorLowEdit, ResistorHighEdit})
        connect(edit, &QLineEdit::returnPressed, this, &TNoiseDialog::ApplyButtonClick);
    connect(apply, &QPushButton::clicked, this, &TNoiseDialog::ApplyButtonClick);
    connect(OpAmpBox, &QComboBox::activated, this, &TNoiseDialog::opAmpPicked);
    connect(SummingBox, &QComboBox::activated, this, &TNoiseDialog::summingPicked);

    // The figures.
    auto* totals = named(new QGroupBox(tr("Noise (20 Hz to 20 kHz) and level")), "TotalsGroup");
    auto* totalsLayout = new QVBoxLayout(totals);
    TotalsLabel = named(new QLabel, "TotalsLabel");
    TotalsLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ContributorsTable = figureTable("ContributorsTable", {tr("Part"), tr("Share")},
                                    static_cast<int>(kShownContributors));
    totalsLayout->addWidget(TotalsLabel);
    totalsLayout->addWidget(named(new QLabel(tr("Largest contributors (A-weighted):")),
                                  "ContributorsLabel"));
    totalsLayout->addWidget(ContributorsTable);
    totalsLayout->addStretch(1);

    NoisePlot = named(new TControlImage(this), "NoisePlot");
    NoisePlot->setTitle(tr("Output noise density, dB re 1 nV/√Hz"));
    NoisePlot->setMinimumSize(460, 300);

    QStringList stageColumns;
    for (const std::string& heading : tessera::headroomTableHeadings()) stageColumns << qt(heading);
    StagesTable = figureTable("StagesTable", stageColumns, 2 * tessera::kSectionCount);
    StagesTable->setToolTip(tr("Each op-amp at the input level: its largest gain from the equaliser's "
                                           "input and where, the headroom to the output peak, and the slew rate it "
                                           "needs at the largest clean input level against its own"));
    RangeLabel = named(new QLabel, "RangeLabel");
    RangeLabel->setWordWrap(true);
    StatusLabel = named(new QLabel, "StatusLabel");
    StatusLabel->setWordWrap(true);

    auto* buttons = named(new QDialogButtonBox, "ButtonBox");
    named(buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole), "CloseButton");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(circuit);
    left->addWidget(totals, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(NoisePlot, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(StagesTable);
    layout->addWidget(RangeLabel);
    layout->addWidget(StatusLabel);
    layout->addWidget(buttons);

    tessera::tools::withoutDefaultButton(this);
    // The figures follow the sections and the settings, whoever changes them.
    watch_ = curves_.watchDesign([this] {
        if (isVisible()) refresh();
    });
    connect(&settings_, &tessera::CircuitSettingsHolder::changed, this, [this] {
        showSettings(settings_.settings());
        refresh();
    });
    showSettings(settings_.settings());
    refresh();
}

TNoiseDialog::~TNoiseDialog() { curves_.unwatchDesign(watch_); }

void TNoiseDialog::showEvent(QShowEvent* event) {
    showSettings(settings_.settings());
    refresh();
    QDialog::showEvent(event);
}

void TNoiseDialog::showSettings(const tessera::CircuitSettings& s) {
    const char separator = engine_.separator();
    // A custom op-amp is listed while it is the chosen one.
    const int custom = OpAmpBox->findText(qtView(tessera::kCustomOpAmpName));
    const bool isCustom = s.opAmp.name == tessera::kCustomOpAmpName;
    if (isCustom && custom < 0) OpAmpBox->addItem(qtView(tessera::kCustomOpAmpName));
    if (!isCustom && custom >= 0) OpAmpBox->removeItem(custom);
    OpAmpBox->setCurrentText(qt(s.opAmp.name));
    InputLevelEdit->setText(qt(tessera::generalText(s.inputLevelDbu, 7, separator)));
    OutputPeakEdit->setText(qt(tessera::generalText(s.outputPeakV, 7, separator)));
    SummingBox->setCurrentIndex(SummingBox->findData(s.summingOhms));
    ResistorLowEdit->setText(qt(tessera::ohmsEntryText(s.resistors.low, separator)));
    ResistorHighEdit->setText(qt(tessera::ohmsEntryText(s.resistors.high, separator)));
}

void TNoiseDialog::clearFigures(const QString& why) {
    ContributorsTable->setRowCount(0);
    StagesTable->setRowCount(0);
    TotalsLabel->clear();
    RangeLabel->clear();
    NoisePlot->SetData(tessera::PlotData::initialBlock());
    StatusLabel->setText(why);
}

void TNoiseDialog::refresh() {
    const tessera::CircuitParts parts = tessera::circuitParts(engine_);
    if (const auto reason = tessera::unbuildableReason(parts)) {
        clearFigures(qt(tessera::inProgramLanguage(*reason)));
        return;
    }
    const tessera::CircuitSettings& settings = settings_.settings();
    const char separator = engine_.separator();
    const tessera::NoiseResult noise = tessera::analyseNoise(parts, settings);
    NoisePlot->SetData(tessera::noiseDensityBlock(noise.densityNv));
    const tessera::HeadroomResult headroom = tessera::analyseHeadroom(parts, settings);
    TotalsLabel->setText(qt(tessera::noiseTotalsText(noise, headroom, separator)));
    const auto stages = tessera::headroomTableCells(headroom, separator);
    StagesTable->setRowCount(static_cast<int>(stages.size()));
    for (std::size_t k = 0; k < stages.size(); ++k) setRow(StagesTable, static_cast<int>(k), stages[k]);
    // The op-amp that clips first stands out.
    for (int column = 0; column < StagesTable->columnCount(); ++column) {
        QTableWidgetItem* item = StagesTable->item(headroom.clipsFirst, column);
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
    const auto contributors = tessera::contributorCells(noise, kShownContributors, separator);
    ContributorsTable->setRowCount(static_cast<int>(contributors.size()));
    for (std::size_t k = 0; k < contributors.size(); ++k) setRow(ContributorsTable, static_cast<int>(k), contributors[k]);
    RangeLabel->setText(qt(tessera::resistorRangeText(parts, settings.resistors, separator)));
    // Resistors outside the range are what a designer must see: in red.
    const bool outside = !tessera::resistorsOutsideRange(parts, settings.resistors).empty();
    RangeLabel->setStyleSheet(outside ? QStringLiteral("color: #c00000;") : QString());
    StatusLabel->clear();
}

void TNoiseDialog::opAmpPicked(int index) {
    if (const auto model = tessera::opAmpNamed(OpAmpBox->itemText(index).toStdString())) settings_.setOpAmp(*model);
}

void TNoiseDialog::summingPicked(int index) {
    const auto checked = tessera::checkSummingOhms(tessera::roundTripText(SummingBox->itemData(index).toDouble()));
    if (!checked.ok()) {
        prompts_.reportError(tessera::inProgramLanguage(checked.message));
        showSettings(settings_.settings());
        return;
    }
    tessera::CircuitSettings next = settings_.settings();
    next.summingOhms = *checked.value;
    settings_.set(next);
}

bool TNoiseDialog::ApplyButtonClick() {
    const auto level = tessera::checkInputLevel(InputLevelEdit->text().toStdString());
    const auto peak = tessera::checkOutputPeak(OutputPeakEdit->text().toStdString());
    const auto range =
        tessera::checkResistorRange(ResistorLowEdit->text().toStdString() + ":" + ResistorHighEdit->text().toStdString());
    for (const tessera::Message* refusal : {&level.message, &peak.message, &range.message})
        if (!refusal->empty()) {
            const std::string message = tessera::inProgramLanguage(*refusal);
            prompts_.reportError(message);
            StatusLabel->setText(qt(message));
            return false;
        }
    tessera::CircuitSettings next = settings_.settings();
    next.inputLevelDbu = *level.value;
    next.outputPeakV = *peak.value;
    next.resistors = *range.value;
    settings_.set(next);
    return true;
}
