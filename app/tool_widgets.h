#pragma once
// Small helpers of the tool dialogs: every widget gets its objectName where
// it is made, texts from the headless code become QStrings.

#include <QPushButton>
#include <QString>

#include <string>

namespace tessera::tools {

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// Return presses no button of `dialog`: a name picked from a list with
// Return is only picked, and an entry's own Return applies it. (Qt's dialogs
// would click a default button, such as Apply before anything is typed, or
// Pre-compensate.)
inline void withoutDefaultButton(QWidget* dialog) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

inline QString qt(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace tessera::tools
