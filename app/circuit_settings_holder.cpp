#include "circuit_settings_holder.h"

#include "remembered_settings.h"

#include <QSettings>

#include <memory>

namespace tessera {
namespace {

// The user's settings file of the program ("tessera/tessera.conf" in the
// user's configuration folder); tests point QSettings elsewhere.
const QString kGroup = QStringLiteral("circuit");

std::unique_ptr<QSettings> userSettings() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tessera"),
                                       QStringLiteral("tessera"));
}

} // namespace

CircuitSettingsHolder::CircuitSettingsHolder(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("CircuitSettings"));
    const auto store = userSettings();
    store->beginGroup(kGroup);
    settings_ = rememberedCircuitSettings([&store](std::string_view key) -> std::optional<std::string> {
        const QVariant value = store->value(QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())));
        // Only text is ever written; anything else was not written by the program.
        if (!value.isValid() || value.typeId() != QMetaType::QString) return std::nullopt;
        return value.toString().toStdString();
    });
}

bool CircuitSettingsHolder::set(const CircuitSettings& settings) {
    if (!acceptableCircuitSettings(settings)) return false;
    if (settings == settings_) return true;
    settings_ = settings;
    const auto store = userSettings();
    store->remove(kGroup); // entries of a former custom op-amp go with it
    store->beginGroup(kGroup);
    for (const auto& [key, text] : rememberedEntries(settings_))
        store->setValue(QString::fromStdString(key), QString::fromStdString(text));
    store->endGroup();
    emit changed(settings_);
    return true;
}

bool CircuitSettingsHolder::setOpAmp(const OpAmpModel& model) {
    CircuitSettings next = settings_;
    next.opAmp = model;
    return set(next);
}

} // namespace tessera
