#include "circuit_settings_holder.h"

#include "remembered_settings.h"
#include "settings_store.h"

namespace tessera {
namespace {

// The group of the settings file that holds the circuit settings.
constexpr std::string_view kGroup = "circuit";

} // namespace

CircuitSettingsHolder::CircuitSettingsHolder(SettingsStore& store, QObject* parent) : QObject(parent), store_(store) {
    setObjectName(QStringLiteral("CircuitSettings"));
    settings_ = rememberedCircuitSettings([&store](std::string_view key) { return store.value(kGroup, key); });
}

bool CircuitSettingsHolder::set(const CircuitSettings& settings) {
    if (!acceptableCircuitSettings(settings)) return false;
    if (settings == settings_) return true;
    settings_ = settings;
    // The whole group, so that the entries of a former custom op-amp go with it.
    store_.setGroup(kGroup, rememberedEntries(settings_));
    emit changed(settings_);
    return true;
}

bool CircuitSettingsHolder::setOpAmp(const OpAmpModel& model) {
    CircuitSettings next = settings_;
    next.opAmp = model;
    return set(next);
}

} // namespace tessera
