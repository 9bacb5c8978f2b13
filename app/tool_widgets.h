#pragma once
// Small helpers of the tool dialogs: every widget gets its objectName where
// it is made, texts from the headless code become QStrings.

#include <QString>

#include <string>

namespace tessera::tools {

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

inline QString qt(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace tessera::tools
