#include "einstell.h"

#include "filter_page.h"
#include "page_layout.h"
#include "realedit.h"
#include "standard_series.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTabWidget>

using namespace tessera::dialog;

namespace {

QFont dialogFont() {
    QFont font;
    // The designed face first, then faces of the same metrics, so that the
    // captions fit the places they were designed for.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    font.setPointSizeF(designedPoints(kFontPixels));
    return font;
}

} // namespace

TDialog::TDialog(tessera::FilterEngine& engine, GraphTitleSetter setTitles, QWidget* parent)
    : QDialog(parent), engine_(engine) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(tr(kWindowCaption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    layOut(logicalDpiY());

    engine_.setPageView(this);
    tessera::E24Init(engine_.state());
    engine_.Reset(true);
    setGraphTitles(setTitles);
    engine_.state().Modified = 0;
    engine_.state().DialogReady = 1;

    centreOnScreen();
    show();
}

TDialog::~TDialog() {
    engine_.setPageView(nullptr);
    engine_.state().DialogReady = 0;
}

void TDialog::layOut(int dpi) {
    const QFont font = dialogFont();
    setFont(font);
    const int clientWidth = scaledLength(kClientWidth, dpi);
    const int clientHeight = scaledLength(kClientHeight, dpi);
    setFixedSize(clientWidth, clientHeight);

    notebook_ = new QTabWidget(this);
    notebook_->setObjectName(QString::fromLatin1(kNotebookName));
    const Place nb = notebookPlace(clientWidth, clientHeight);
    notebook_->setGeometry(nb.left, nb.top, nb.width, nb.height);
    for (int s = 1; s <= tessera::kSectionCount; ++s) {
        // Built inside the notebook: its controls take the dialog's font from
        // the start, so the application's default face is never loaded for
        // them, and adding the tab moves nothing between windows.
        auto* page = new FilterPage(engine_, s, dpi, font, notebook_);
        notebook_->addTab(page, QString::fromStdString(tabCaption(s)));
        pages_[static_cast<std::size_t>(s - 1)] = page;
    }
    notebook_->setCurrentIndex(0);

    converter_ = new Trealedit(this);
    converter_->setObjectName(QString::fromLatin1(kConverterName));
    const Place c = scaledPlace(kConverterPlace, dpi);
    converter_->setGeometry(c.left, c.top, c.width, c.height);
    converter_->hide();
}

void TDialog::setGraphTitles(const GraphTitleSetter& setTitles) {
    if (!setTitles) return;
    using tessera::GraphWindow;
    const QString xLabel = tr("Frequency (Hz)");
    for (int s = 1; s <= tessera::kSectionCount; ++s)
        setTitles(tessera::sectionWindow(s), tr("Filter%1 (dB)").arg(s), xLabel);
    setTitles(GraphWindow::Import, tr("Import (dB)"), xLabel);
    setTitles(GraphWindow::Result, tr("Result (dB)"), xLabel);
}

void TDialog::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void TDialog::selectPage(int section) {
    if (!engine_.state().DialogReady || section < 1 || section > tessera::kSectionCount) return;
    notebook_->setCurrentWidget(page(section));
}

void TDialog::pageChanged(int section, unsigned changes) { page(section)->showTexts(changes); }

void TDialog::closeEvent(QCloseEvent* event) {
    // The close box only hides the window; its pages keep everything.
    hide();
    event->ignore();
}

void TDialog::keyPressEvent(QKeyEvent* event) {
    // A non-modal tool window: Escape does not close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
