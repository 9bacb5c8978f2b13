#pragma once
// The program's one set of circuit settings (op-amp, summing resistors,
// input level, output peak, resistor range), shared by every circuit tool:
// the dialogs read it and set it, the op-amp curves follow it. It starts
// with what the last run left and remembers each change for the next run
// in the user's settings file (not in the .tsn file).

#include "circuit_settings.h"

#include <QObject>

namespace tessera {

class SettingsStore;

class CircuitSettingsHolder : public QObject {
    Q_OBJECT
public:
    // Reads the remembered settings from `store`; whatever is missing,
    // unreadable or out of range is the default.
    explicit CircuitSettingsHolder(SettingsStore& store, QObject* parent = nullptr);

    const CircuitSettings& settings() const { return settings_; }
    const OpAmpModel& opAmp() const { return settings_.opAmp; }

    // Takes `settings` when the entry checks accept them all (false, and
    // nothing changed, otherwise), remembers them and signals `changed` when
    // they differ from the present ones.
    bool set(const CircuitSettings& settings);
    // The same with only the op-amp replaced.
    bool setOpAmp(const OpAmpModel& model);

signals:
    void changed(const tessera::CircuitSettings& settings);

private:
    SettingsStore& store_;
    CircuitSettings settings_;
};

} // namespace tessera
