#pragma once
// The application's style, unchanged but for one thing: the pictures of the
// child-window frames' system menu (restore, minimise, maximise, close and the
// menu button) and of the menu bar's overflow button are shared, and made
// only when first drawn. Every graph window asks for them when it is made,
// and the style reads and decodes image files each time.

#include <QIcon>
#include <QProxyStyle>

#include <map>

class SharedIconStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Wraps a new instance of the style named `key` (as QStyleFactory knows it).
    explicit SharedIconStyle(const QString& key);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    // A theme change may change the pictures.
    void polish(QApplication* application) override;
    using QProxyStyle::polish;

private:
    mutable std::map<StandardPixmap, QIcon> shared_;
};

namespace tessera {
// Makes the application's current style share its frame pictures (once; any
// later call does nothing). Call it before the first window is made: a style
// set later polishes every existing widget again.
void shareStandardIcons();
} // namespace tessera
