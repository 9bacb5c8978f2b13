#include "opamp_dialog.h"

#include "circuit_curves.h"
#include "circuit_input.h"
#include "document.h"
#include "number_text.h"
#include "tool_widgets.h"

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
} // namespace

TOpAmpDialog::TOpAmpDialog(tessera::FilterEngine& engine, tessera::CircuitCurves& curves,
                           tessera::DocumentPrompts& prompts, QWidget* parent)
    : QDialog(parent), engine_(engine), curves_(curves), prompts_(prompts) {
    setObjectName(QStringLiteral("OpAmpDialog"));
    setWindowTitle(QStringLiteral("Op-amp"));

    auto* entry = new QGridLayout;
    entry->addWidget(named(new QLabel(QStringLiteral("&Gain-bandwidth (Hz):")), "GbwLabel"), 0, 0);
    GbwEdit = named(new QLineEdit, "GbwEdit");
    GbwEdit->setPlaceholderText(QStringLiteral("ideal"));
    GbwEdit->setToolTip(QStringLiteral("Empty for the ideal op-amp"));
    if (curves_.gbw() > 0) GbwEdit->setText(qt(tessera::generalText(curves_.gbw(), 7, engine_.separator())));
    qobject_cast<QLabel*>(entry->itemAtPosition(0, 0)->widget())->setBuddy(GbwEdit);
    entry->addWidget(GbwEdit, 0, 1);
    auto* apply = named(new QPushButton(QStringLiteral("&Apply")), "ApplyButton");
    entry->addWidget(apply, 0, 2);
    connect(apply, &QPushButton::clicked, this, &TOpAmpDialog::ApplyButtonClick);
    connect(GbwEdit, &QLineEdit::returnPressed, this, &TOpAmpDialog::ApplyButtonClick);

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
    PrecompensateButton = named(buttons->addButton(QStringLiteral("&Pre-compensate"), QDialogButtonBox::ActionRole),
                                "PrecompensateButton");
    PrecompensateButton->setToolTip(
        QStringLiteral("Design the selected sections (all when none is selected) so that with this op-amp they "
                       "give the frequency, Q and gain asked for, then snap as usual"));
    named(buttons->addButton(QDialogButtonBox::Close), "CloseButton");
    connect(PrecompensateButton, &QPushButton::clicked, this, &TOpAmpDialog::PrecompensateButtonClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addWidget(OpAmpTable);
    layout->addWidget(StatusLabel);
    layout->addWidget(buttons);
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

void TOpAmpDialog::refreshTable() {
    const auto cells = tessera::opAmpTableCells(tessera::opAmpTable(engine_, curves_.gbw()), engine_.separator());
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
    PrecompensateButton->setEnabled(curves_.gbw() > 0);
}

bool TOpAmpDialog::ApplyButtonClick() {
    const tessera::Checked<double> gbw = tessera::checkGbw(GbwEdit->text().toStdString());
    if (!gbw.ok()) {
        prompts_.reportError(gbw.message);
        return false;
    }
    curves_.setGbw(*gbw.value);
    StatusLabel->setText(*gbw.value > 0 ? QString() : QStringLiteral("Ideal op-amp: no second curve."));
    refreshTable();
    return true;
}

void TOpAmpDialog::PrecompensateButtonClick() {
    if (!ApplyButtonClick() || curves_.gbw() <= 0) return;
    std::set<int> sections;
    for (const QModelIndex& index : OpAmpTable->selectionModel()->selectedRows()) sections.insert(index.row() + 1);
    if (sections.empty()) sections = {1, 2, 3, 4};
    QStringList report;
    for (int s : sections) {
        const auto outcome = precompensation_.apply(engine_, s, curves_.gbw());
        report << qt(outcome.message);
    }
    StatusLabel->setText(report.join(QLatin1Char(' ')));
    refreshTable();
}
