#include "shared_icon_style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>

#include <memory>
#include <optional>

namespace {

bool isFramePicture(QStyle::StandardPixmap icon) {
    switch (icon) {
    case QStyle::SP_TitleBarMenuButton:
    case QStyle::SP_TitleBarMinButton:
    case QStyle::SP_TitleBarMaxButton:
    case QStyle::SP_TitleBarCloseButton:
    case QStyle::SP_TitleBarNormalButton:
    case QStyle::SP_ToolBarHorizontalExtensionButton:
    case QStyle::SP_ToolBarVerticalExtensionButton:
        return true;
    default:
        return false;
    }
}

// A style's picture, made when first drawn or measured. None of these is on
// the screen at the start (they sit in closed menus and in the menu bar's
// overflow button), and making them reads image files.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(const QStyle* style, QStyle::StandardPixmap which) : style_(style), which_(which) {}

    // The rectangle is already fitted to the picture: drawn as the style's
    // own pixmap pictures draw, without fitting it a second time.
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const QPaintDevice* device = painter->device();
        const qreal ratio = device != nullptr ? device->devicePixelRatio() : qApp->devicePixelRatio();
        painter->drawPixmap(rect, icon().pixmap(rect.size(), ratio, mode, state));
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    void addPixmap(const QPixmap& pixmap, QIcon::Mode mode, QIcon::State state) override {
        icon().addPixmap(pixmap, mode, state);
    }
    void addFile(const QString& fileName, const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        icon().addFile(fileName, size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    // Asked whenever a menu lays out its items: answered without making the
    // picture, which every style has for these.
    bool isNull() override { return icon_ ? icon_->isNull() : style_ == nullptr; }
    QString key() const override { return QStringLiteral("tessera-deferred-standard-icon"); }
    QIconEngine* clone() const override {
        auto* copy = new DeferredIconEngine(style_, which_);
        copy->icon_ = icon_;
        return copy;
    }

private:
    QIcon& icon() {
        if (!icon_) icon_ = style_ ? style_->standardIcon(which_) : QIcon();
        return *icon_;
    }

    QPointer<const QStyle> style_;
    QStyle::StandardPixmap which_;
    std::optional<QIcon> icon_;
};

} // namespace

SharedIconStyle::SharedIconStyle(const QString& key) : QProxyStyle(key) {}

QIcon SharedIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
    // With an option the picture may depend on it; those are not shared.
    if (option != nullptr || !isFramePicture(icon)) return QProxyStyle::standardIcon(icon, option, widget);
    auto found = shared_.find(icon);
    if (found == shared_.end()) found = shared_.emplace(icon, QIcon(new DeferredIconEngine(baseStyle(), icon))).first;
    return found->second;
}

void SharedIconStyle::polish(QApplication* application) {
    shared_.clear();
    QProxyStyle::polish(application);
}

namespace tessera {

void shareStandardIcons() {
    QStyle* current = QApplication::style();
    if (current == nullptr || qobject_cast<SharedIconStyle*>(current) != nullptr) return;
    auto* style = new SharedIconStyle(current->name());
    // A style the factory does not know stays as it is.
    if (style->baseStyle() == nullptr || style->baseStyle()->name().compare(current->name(), Qt::CaseInsensitive) != 0) {
        delete style;
        return;
    }
    QApplication::setStyle(style);
}

} // namespace tessera
