#include "filter_page.h"

#include "arrow_buttons.h"
#include "edit_history.h"
#include "field_undo_keys.h"
#include "program_translations.h"
#include "realedit.h"
#include "real_conversion.h"
#include "standard_series.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

using tessera::Entry;
using tessera::Slot;
using namespace tessera::dialog;

namespace {

constexpr std::array<Entry, 3> kEntries = {Entry::Frequency, Entry::Q, Entry::Gain};
constexpr std::array<Row, 3> kRows = {Row::Upper, Row::Middle, Row::Lower};

std::size_t at(Entry e) { return static_cast<std::size_t>(e); }
std::size_t at(Slot s) { return static_cast<std::size_t>(tessera::slotIndex(s)); }

QString qtext(const std::string& text) { return QString::fromStdString(text); }

QFont withDesignedPixels(QFont font, int pixels) {
    font.setPointSizeF(designedPoints(pixels));
    return font;
}

} // namespace

FilterPage::FilterPage(tessera::FilterEngine& engine, int section, int dpi, const QFont& font, QWidget* parent)
    : QWidget(parent), engine_(engine), section_(section) {
    setObjectName(qtext("TabPage" + std::to_string(section)));
    build(dpi, font);
    showTexts(~0u);
}

void FilterPage::place(QWidget* widget, Control control, int dpi) {
    widget->setObjectName(qtext(tessera::dialog::objectName(control, section_)));
    const Place p = scaledPlace(designedPlace(control, section_), dpi);
    widget->setGeometry(p.left, p.top, p.width, p.height);
}

QLabel* FilterPage::addCaption(Control control, int dpi, const QFont& font) {
    // The captions are English source texts, shown in the windows' language.
    auto* label = new QLabel(QCoreApplication::translate("FilterPage", caption(control, section_).c_str()), this);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(label, control, dpi);
    // Captions take exactly the size of their text in the dialog's font.
    const QFontMetrics metrics(font);
    label->resize(metrics.horizontalAdvance(label->text()), metrics.height());
    return label;
}

void FilterPage::build(int dpi, const QFont& font) {
    for (Entry e : kEntries) {
        addCaption(captionControl(e), dpi, font);

        auto* edit = new Trealedit(this);
        place(edit, entryControl(e), dpi);
        connect(edit, &Trealedit::keyDown, this, [this, e](int key) { entryKeyDown(e, key); });
        FieldUndoKeys::watch(edit);
        entries_[at(e)] = edit;

        auto* spin = new TSpinButton(this);
        place(spin, spinControl(e), dpi);
        connect(spin, &ArrowPair::arrowClicked, this, [this, e](bool up) { spinClick(e, up); });
        watchHolds(spin);
        spins_[at(e)] = spin;
    }

    addCaption(Control::CapacitorCaption, dpi, font);
    capacitors_ = new QComboBox(this);
    capacitors_->setEditable(true);
    // Typing in the selector must not add items; only choosing one counts.
    capacitors_->setInsertPolicy(QComboBox::NoInsert);
    const int itemHeight = scaledLength(kCapacitorItemHeight, dpi);
    for (const char* item : tessera::kCapacitorItems) {
        capacitors_->addItem(QString::fromLatin1(item));
        capacitors_->setItemData(capacitors_->count() - 1, QSize(0, itemHeight), Qt::SizeHintRole);
    }
    place(capacitors_, Control::CapacitorBox, dpi);
    connect(capacitors_, &QComboBox::activated, this, &FilterPage::capacitorChosen);
    // Connected after the box's own handling, which chooses a typed item.
    connect(capacitors_->lineEdit(), &QLineEdit::editingFinished, this, &FilterPage::capacitorTyped);
    FieldUndoKeys::watch(capacitors_->lineEdit(), capacitors_);

    for (Row row : kRows) {
        addCaption(designatorControl(row), dpi, font);
        const Slot slot = rowSlot(row);

        auto* value = new QLabel(this);
        value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        place(value, valueControl(row), dpi);
        resistorLabels_[at(slot)] = value;

        auto* stepper = new TUpDown(this);
        place(stepper, stepperControl(row), dpi);
        connect(stepper, &ArrowPair::arrowClicked, this, [this, slot](bool up) { stepperClick(slot, up); });
        watchHolds(stepper);
        steppers_[at(slot)] = stepper;
    }

    e12_ = new QPushButton(qtext(caption(Control::E12Button, section_)), this);
    e24_ = new QPushButton(qtext(caption(Control::E24Button, section_)), this);
    for (QPushButton* button : {e12_, e24_}) {
        // Enter in an entry field commits the entry; it must not press a button.
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    place(e12_, Control::E12Button, dpi);
    place(e24_, Control::E24Button, dpi);
    connect(e12_, &QPushButton::clicked, this, [this] { seriesClick(tessera::Series::E12); });
    connect(e24_, &QPushButton::clicked, this, [this] { seriesClick(tessera::Series::E24); });

    status_ = new QLabel(this);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QFont statusFont = withDesignedPixels(font, kStatusFontPixels);
    status_->setFont(statusFont);
    QPalette red = status_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    status_->setPalette(red);
    place(status_, Control::StatusLine, dpi);
    // The series names must never be cut off, whatever font stands in.
    const QFontMetrics statusMetrics(statusFont);
    const int widest = std::max(statusMetrics.horizontalAdvance(QString::fromLatin1(tessera::kE24StatusText)),
                                statusMetrics.horizontalAdvance(QString::fromLatin1(tessera::kE12StatusText)));
    status_->resize(std::max(status_->width(), widest + 2), std::max(status_->height(), statusMetrics.height()));
}

void FilterPage::showTexts(unsigned changes) {
    const tessera::PageTexts& texts = engine_.page(section_);
    for (Entry e : kEntries)
        if (changes & tessera::entryChange(e)) entries_[at(e)]->setText(qtext(texts.entryText(e)));
    for (std::size_t k = 0; k < 3; ++k) {
        if (changes & tessera::ResistorLabels) resistorLabels_[k]->setText(qtext(texts.resistorLabel[k]));
        if (changes & tessera::Steppers) steppers_[k]->showStepper(texts.stepper[k]);
    }
    if (changes & tessera::StatusText) status_->setText(qtext(texts.status));
    if (changes & tessera::CapacitorText) showCapacitorInUse();
}

void FilterPage::showCapacitorInUse() {
    const QString text = qtext(engine_.page(section_).capacitor);
    const int item = capacitors_->findText(text);
    if (item >= 0) capacitors_->setCurrentIndex(item);
    // Also for an item: the box keeps a typed text over an unchanged index.
    capacitors_->setEditText(text);
}

template <class Edit> void FilterPage::convertingEdit(Edit edit) {
    try {
        edit();
    } catch (const tessera::FloatOverflowError&) {
        const std::string message = tessera::render(tessera::kNumberTooLarge, tessera::windowLanguage());
        QMessageBox::critical(this, FilterPage::tr("Error"), QString::fromStdString(message));
    }
}

void FilterPage::madeStep(const std::string& name) { emit stepMade(QString::fromStdString(name)); }

void FilterPage::watchHolds(ArrowPair* arrows) {
    connect(arrows, &ArrowPair::holdStarted, this, &FilterPage::holdStarted);
    connect(arrows, &ArrowPair::holdEnded, this, &FilterPage::holdEnded);
}

void FilterPage::entryKeyDown(Entry entry, int key) {
    if (key == Qt::Key_Escape) {
        engine_.revertEntry(section_, entry);
        emit entryReverted();
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        const std::string typed = entries_[at(entry)]->text().toStdString();
        convertingEdit([&] { engine_.commitEntry(section_, entry, typed); });
        madeStep(tessera::steps::entry(section_, entry));
    }
}

void FilterPage::spinClick(Entry entry, bool up) {
    engine_.spin(section_, entry, up);
    madeStep(tessera::steps::entry(section_, entry));
}

void FilterPage::capacitorChosen(int index) {
    const std::string item = capacitors_->itemText(index).toStdString();
    convertingEdit([&] { engine_.selectCapacitor(section_, item); });
    madeStep(tessera::steps::capacitor(section_));
}

// Enter in the selector, or leaving it: a typed item counts as choosing it;
// any other text gives way to the capacitor the section uses.
void FilterPage::capacitorTyped() {
    const QString typed = capacitors_->currentText();
    if (typed == qtext(engine_.page(section_).capacitor)) return;
    const int item = capacitors_->findText(typed);
    if (item >= 0)
        capacitorChosen(item);
    else
        showCapacitorInUse();
}

void FilterPage::seriesClick(tessera::Series series) {
    engine_.selectSeries(section_, series);
    madeStep(tessera::steps::series(section_, series));
}

void FilterPage::stepperClick(Slot slot, bool up) {
    if (engine_.stepResistor(section_, slot, up)) madeStep(tessera::steps::resistor(section_, slot));
}
