#pragma once
// A configuration dialog over its own filter bank state, with a plot sink and
// a title setter that record what they receive, and helpers that drive the
// page controls as a user does.

#include "arrow_buttons.h"
#include "einstell.h"
#include "filter_engine.h"
#include "realedit.h"

#include <QLabel>
#include <QTest>

#include <memory>
#include <vector>

struct RecordingSink : tessera::PlotSink {
    std::vector<tessera::GraphWindow> windows;
    void setData(tessera::GraphWindow window, const tessera::PlotData&) override { windows.push_back(window); }
};

struct GraphTitle {
    tessera::GraphWindow window;
    QString title;
    QString xLabel;
};

struct DialogHarness {
    explicit DialogHarness(char separator = '.') : engine(*state, separator) {
        engine.setPlotSink(&sink);
        dialog = std::make_unique<TDialog>(engine, [this](tessera::GraphWindow w, const QString& t, const QString& x) {
            titles.push_back({w, t, x});
        });
    }

    template <class T> T* child(const QString& name) const {
        T* widget = dialog->findChild<T*>(name);
        if (widget == nullptr) qFatal("no control named %s", qPrintable(name));
        return widget;
    }

    std::unique_ptr<tessera::FilterBankState> state = std::make_unique<tessera::FilterBankState>();
    RecordingSink sink;
    tessera::FilterEngine engine;
    std::vector<GraphTitle> titles;
    std::unique_ptr<TDialog> dialog;
};

// Control names of page s as the other windows and the report know them.
inline QString freqEditName(int s) { return QString(s == 2 || s == 3 ? "Freqedit%1" : "FreqEdit%1").arg(s); }
inline QString named(const char* stem, int s) { return QString::fromLatin1(stem) + QString::number(s); }

inline void clickHalf(ArrowPair* button, bool up) {
    const QPoint point(button->width() / 2, up ? button->height() / 4 : button->height() * 3 / 4);
    QTest::mouseClick(button, Qt::LeftButton, {}, point);
}

// Replace the entry's text by typing and end with `key` (Enter commits,
// Escape reverts, 0 leaves the text uncommitted).
inline void typeInto(Trealedit* edit, const QString& text, int key = Qt::Key_Return) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    if (key != 0) QTest::keyClick(edit, static_cast<Qt::Key>(key));
}
