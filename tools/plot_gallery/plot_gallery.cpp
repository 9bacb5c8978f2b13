// Shows the six graph windows with real curves: four sections, a made-up
// measurement and the result. With a file name it saves a screenshot of the
// frame (and of a zoomed, marked Filter2 window) and exits.
//
//   plot_gallery [frame.png [detail.png]]

#include "filter_engine.h"
#include "graph_window.h"
#include "standard_series.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMouseEvent>
#include <QTimer>

#include <cmath>

namespace {

void designSections(tessera::FilterEngine& engine) {
    struct Setting { const char* frequency; const char* q; const char* gain; };
    const Setting settings[] = {{"100", "1.5", "6"}, {"2500", "2", "4"}, {"400", "3", "8"}, {"8000", "1", "5"}};
    for (int s = 1; s <= 4; ++s) {
        engine.commitEntry(s, tessera::Entry::Frequency, settings[s - 1].frequency);
        engine.commitEntry(s, tessera::Entry::Q, settings[s - 1].q);
        engine.commitEntry(s, tessera::Entry::Gain, settings[s - 1].gain);
    }
}

// A loudspeaker-like response: roll-off below 60 Hz, a bump and a dip.
void importMeasurement(tessera::FilterEngine& engine) {
    auto& imported = engine.state().ImportedResponse;
    for (std::size_t i = 0; i < imported.size(); ++i) {
        const double octave = std::log2(20.0) + static_cast<double>(i) * std::log2(1000.0) / 255;
        imported[i] = -12 / (1 + std::pow(2, 2 * (octave - std::log2(60.0)))) +
                      4 * std::exp(-std::pow(octave - std::log2(400.0), 2)) -
                      5 * std::exp(-std::pow((octave - std::log2(6000.0)) * 1.5, 2));
    }
    engine.refreshimport();
    engine.refreshresult();
}

void click(QWidget* w, int x, int y) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(x, y), w->mapToGlobal(QPointF(x, y)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

void hover(QWidget* w, int x, int y) {
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), w->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("plot gallery"));
    auto* area = new QMdiArea;
    frame.setCentralWidget(area);
    frame.resize(1260, 980);
    GraphWindows windows(area);
    GraphPlotSink sink(windows);

    tessera::FilterBankState& state = tessera::bankState();
    tessera::E24Init(state);
    tessera::FilterEngine engine(state);
    engine.setPlotSink(&sink);
    engine.Reset(true);
    const char* titles[] = {"Filter1 (dB)", "Filter2 (dB)", "Filter3 (dB)", "Filter4 (dB)", "Import (dB)", "Result (dB)"};
    for (std::size_t i = 0; i < 6; ++i) {
        windows.windows()[i]->ControlImage1()->setTitle(QString::fromLatin1(titles[i]));
        windows.windows()[i]->ControlImage1()->setXlabel(QStringLiteral("Frequency (Hz)"));
    }
    designSections(engine);
    importMeasurement(engine);
    frame.show();
    area->tileSubWindows();

    if (argc < 2) return app.exec();
    QTimer::singleShot(300, [&] {
        frame.grab().save(QString::fromLocal8Bit(argv[1]));
        if (argc > 2) {
            TGraphWindow* filter2 = windows.window(tessera::GraphWindow::Filter2);
            filter2->showMaximized();
            QApplication::processEvents();
            TControlImage* plot = filter2->ControlImage1();
            const int w = plot->width(), h = plot->height();
            click(plot, w / 10 + (w * 8 / 10) * 45 / 100, h / 2);
            click(plot, w / 10 + (w * 8 / 10) * 72 / 100, h / 2);
            plot->ZoomIn();
            click(plot, w / 10 + (w * 8 / 10) * 30 / 100, h / 2);
            hover(plot, w / 2, h / 2);
            QApplication::processEvents();
            frame.grab().save(QString::fromLocal8Bit(argv[2]));
        }
        app.quit();
    });
    return app.exec();
}
