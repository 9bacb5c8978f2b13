#include "opamp_dialog.h"

#include "circuit_input.h"
#include "circuit_settings_holder.h"
#include "document.h"
#include "number_text.h"
#include "program_language.h"
#include "tool_widgets.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <set>

namespace {
using tessera::tools::named;
using tessera::tools::qt;

const QString kCustom = QString::fromUtf8(tessera::kCustomOpAmpName.data(),
                                          static_cast<qsizetype>(tessera::kCustomOpAmpName.size()));
} // namespace

TOpAmpDialog::TOpAmpDialog(tessera::FilterEngine& engine, tessera::CircuitSettingsHolder& settings,
                           tessera::DocumentPrompts& prompts, QWidget* parent)
    : QDialog(parent), engine_(engine), settings_(settings), prompts_(prompts) {
    setObjectName(QStringLiteral("OpAmpDialog"));
    setWindowTitle(tr("Op-amp"));

    auto* entry = new QGridLayout;
    const auto addField = [&](int row, int column, const char* caption, const char* labelName, QWidget* field) {
        auto* label = named(new QLabel(tr(caption)), labelName);
        label->setBuddy(field);
        entry->addWidget(label, row, column);
        entry->addWidget(field, row, column + 1);
    };
    OpAmpBox = named(new QComboBox, "OpAmpBox");
    for (const tessera::OpAmpModel& model : tessera::opAmpCatalogue()) OpAmpBox->addItem(qt(model.name));
    OpAmpBox->addItem(kCustom);
    OpAmpBox->setToolTip(tr("The op-amp every circuit tool uses; Custom: type its four figures"));
    addField(0, 0, QT_TR_NOOP("&Op-amp:"), "OpAmpLabel", OpAmpBox);
    auto* apply = named(new QPushButton(tr("&Apply")), "ApplyButton");
    entry->addWidget(apply, 0, 4);

    const auto figureEdit = [&](const char* name, const char* tip) {
        auto* edit = named(new QLineEdit, name);
        edit->setToolTip(tr(tip));
        connect(edit, &QLineEdit::returnPressed, this, &TOpAmpDialog::ApplyButtonClick);
        return edit;
    };
    GbwEdit = figureEdit("GbwEdit", QT_TR_NOOP("Gain-bandwidth of the single-pole model (open-loop gain 1E5)"));
    SlewEdit = figureEdit("SlewEdit", QT_TR_NOOP("Slew rate"));
    EnEdit = figureEdit("EnEdit", QT_TR_NOOP("Input voltage noise density"));
    InEdit = figureEdit("InEdit", QT_TR_NOOP("Input current noise density, at each input"));
    addField(1, 0, QT_TR_NOOP("&Gain-bandwidth (Hz):"), "GbwLabel", GbwEdit);
    addField(1, 2, QT_TR_NOOP("&Slew rate (V/µs):"), "SlewLabel", SlewEdit);
    addField(2, 0, QT_TR_NOOP("&en (nV/√Hz):"), "EnLabel", EnEdit);
    addField(2, 2, QT_TR_NOOP("&in (pA/√Hz):"), "InLabel", InEdit);
    connect(apply, &QPushButton::clicked, this, &TOpAmpDialog::ApplyButtonClick);
    connect(OpAmpBox, &QComboBox::activated, this, &TOpAmpDialog::opAmpPicked);

    const auto& headings = tessera::opAmpTableHeadings();
    OpAmpTable = named(new QTableWidget(tessera::kSectionCount, static_cast<int>(headings.size()) - 1), "OpAmpTable");
    QStringList columns;
    for (std::size_t c = 1; c < headings.size(); ++c) columns << qt(headings[c]);
    OpAmpTable->setHorizontalHeaderLabels(columns);
    OpAmpTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    OpAmpTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    OpAmpTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    StatusLabel = named(new QLabel, "StatusLabel");
    StatusLabel->setWordWrap(true);

    auto* buttons = named(new QDialogButtonBox, "ButtonBox");
    PrecompensateButton = named(buttons->addButton(tr("&Pre-compensate"), QDialogButtonBox::ActionRole),
                                "PrecompensateButton");
    PrecompensateButton->setToolTip(
        tr("Design the selected sections (all when none is selected) so that with this op-amp they "
                       "give the frequency, Q and gain asked for, then snap as usual"));
    named(buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole), "CloseButton");
    connect(PrecompensateButton, &QPushButton::clicked, this, &TOpAmpDialog::PrecompensateButtonClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addWidget(OpAmpTable);
    layout->addWidget(StatusLabel);
    layout->addWidget(buttons);
    tessera::tools::withoutDefaultButton(this);
    // Another tool may change the op-amp while this dialog stays.
    connect(&settings_, &tessera::CircuitSettingsHolder::changed, this, &TOpAmpDialog::refreshTable);
    refreshTable();
    // The table opens showing its four rows whole, without a gap beside or below.
    OpAmpTable->resizeColumnsToContents();
    const int frame = 2 * OpAmpTable->frameWidth();
    OpAmpTable->setMinimumWidth(OpAmpTable->verticalHeader()->sizeHint().width() +
                                OpAmpTable->horizontalHeader()->length() + frame);
    // Four rows never need more height; the view's own size hint would add a blank band below them.
    OpAmpTable->setFixedHeight(OpAmpTable->horizontalHeader()->sizeHint().height() +
                               OpAmpTable->verticalHeader()->length() + frame);
}

double TOpAmpDialog::gbw() const { return settings_.opAmp().isIdeal() ? 0 : settings_.opAmp().gbw; }

void TOpAmpDialog::showFigures(const tessera::OpAmpModel& model, bool custom) {
    const char separator = engine_.separator();
    const auto figure = [&](QLineEdit* edit, double value) {
        edit->setText(model.isIdeal() ? QString() : qt(tessera::generalText(value, 12, separator)));
        edit->setPlaceholderText(model.isIdeal() && !custom ? tr("ideal") : QString());
        edit->setReadOnly(!custom);
    };
    figure(GbwEdit, model.gbw);
    figure(SlewEdit, model.slewVPerUs);
    figure(EnEdit, model.enNv);
    figure(InEdit, model.inPa);
}

void TOpAmpDialog::refreshTable() {
    const tessera::OpAmpModel& model = settings_.opAmp();
    const bool custom = model.name == tessera::kCustomOpAmpName;
    OpAmpBox->setCurrentText(custom ? kCustom : qt(model.name));
    showFigures(model, custom);
    const auto cells = tessera::opAmpTableCells(tessera::opAmpTable(engine_, settings_.opAmp()), engine_.separator());
    QStringList sections;
    for (int row = 0; row < static_cast<int>(cells.size()); ++row) {
        const auto& line = cells[static_cast<std::size_t>(row)];
        sections << qt(line.front());
        for (int column = 0; column < OpAmpTable->columnCount(); ++column) {
            const std::size_t c = static_cast<std::size_t>(column) + 1;
            auto* item = new QTableWidgetItem(c < line.size() ? qt(line[c]) : QString());
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            OpAmpTable->setItem(row, column, item);
        }
    }
    OpAmpTable->setVerticalHeaderLabels(sections);
    PrecompensateButton->setEnabled(gbw() > 0);
}

void TOpAmpDialog::opAmpPicked(int index) {
    const QString name = OpAmpBox->itemText(index);
    if (name == kCustom) {
        // The figures of the op-amp chosen so far are where the typing starts.
        showFigures(settings_.opAmp(), true);
        StatusLabel->setText(tr("Type the four figures of the op-amp and press Apply."));
        GbwEdit->setFocus();
        return;
    }
    ApplyButtonClick();
}

bool TOpAmpDialog::ApplyButtonClick() {
    const QString name = OpAmpBox->currentText();
    tessera::OpAmpModel model;
    if (name == kCustom) {
        const auto checked = tessera::checkCustomOpAmp(GbwEdit->text().toStdString(), SlewEdit->text().toStdString(),
                                                       EnEdit->text().toStdString(), InEdit->text().toStdString());
        if (!checked.ok()) {
            prompts_.reportError(tessera::inProgramLanguage(checked.message));
            return false;
        }
        model = *checked.value;
    } else {
        model = *tessera::opAmpNamed(name.toStdString()); // the list holds only catalogue names besides Custom
    }
    settings_.setOpAmp(model);
    StatusLabel->setText(model.isIdeal() ? tr("Ideal op-amp: no second curve.") : QString());
    refreshTable();
    return true;
}

void TOpAmpDialog::PrecompensateButtonClick() {
    if (!ApplyButtonClick() || gbw() <= 0) return;
    std::set<int> sections;
    for (const QModelIndex& index : OpAmpTable->selectionModel()->selectedRows()) sections.insert(index.row() + 1);
    if (sections.empty()) sections = {1, 2, 3, 4};
    QStringList report;
    for (int s : sections) {
        const auto outcome = precompensation_.apply(engine_, s, gbw());
        report << qt(tessera::inProgramLanguage(outcome.message));
    }
    StatusLabel->setText(report.join(QLatin1Char(' ')));
    refreshTable();
}
