#include "language_choice.h"

#include <QSettings>

namespace tessera {

namespace {
const QString kKey = QStringLiteral("program/language");

QSettings userSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tessera"),
                     QStringLiteral("tessera"));
}
} // namespace

Language chosenLanguage(std::optional<Language> fromArguments, std::optional<Language> remembered,
                        Language fromEnvironment) {
    return fromArguments.value_or(remembered.value_or(fromEnvironment));
}

std::optional<Language> rememberedLanguage() {
    const QVariant value = userSettings().value(kKey);
    if (value.typeId() != QMetaType::QString) return std::nullopt;
    return parseLanguageCode(value.toString().toStdString());
}

void rememberLanguage(Language language) {
    const std::string_view code = languageCode(language);
    userSettings().setValue(kKey, QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())));
}

} // namespace tessera
