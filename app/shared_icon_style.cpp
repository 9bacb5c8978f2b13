#include "shared_icon_style.h"

#include <QApplication>

namespace {

bool isFramePicture(QStyle::StandardPixmap icon) {
    switch (icon) {
    case QStyle::SP_TitleBarMenuButton:
    case QStyle::SP_TitleBarMinButton:
    case QStyle::SP_TitleBarMaxButton:
    case QStyle::SP_TitleBarCloseButton:
    case QStyle::SP_TitleBarNormalButton:
        return true;
    default:
        return false;
    }
}

} // namespace

SharedIconStyle::SharedIconStyle(const QString& key) : QProxyStyle(key) {}

QIcon SharedIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
    // With an option the picture may depend on it; those are not shared.
    if (option != nullptr || !isFramePicture(icon)) return QProxyStyle::standardIcon(icon, option, widget);
    auto found = shared_.find(icon);
    if (found == shared_.end()) found = shared_.emplace(icon, QProxyStyle::standardIcon(icon, nullptr, widget)).first;
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
