#include "program_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <vector>

namespace tessera {

namespace {

Language current = Language::English;

std::vector<std::unique_ptr<QTranslator>>& installed() {
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

bool install(const QString& name, const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, folder)) return false;
    QCoreApplication::installTranslator(translator.get());
    installed().push_back(std::move(translator));
    return true;
}

} // namespace

bool useLanguage(Language language) {
    for (const auto& translator : installed()) QCoreApplication::removeTranslator(translator.get());
    installed().clear();
    current = language;
    if (language == Language::English) return true;
    const bool own = install(QStringLiteral("tessera_de"), QStringLiteral(":/translations"));
    const bool toolkit = install(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return own && toolkit;
}

Language windowLanguage() { return current; }

} // namespace tessera
