#pragma once
// What the program remembers between runs (the circuit settings, ...), in
// the user's settings file: read once at start, saved at each change.
// Saving never waits on another program's lock of the file for more than a
// moment: the change holds for the session and is saved once the file is
// free. A change that cannot be saved at all (a read-only file or folder, a
// directory or device in the file's place) is said once, not dropped
// silently.

#include "settings_file.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tessera {

class SettingsStore : public QObject {
    Q_OBJECT
public:
    // While another program holds the file's lock, saving is tried again at
    // this interval; after this many tries (beyond the 30 s after which a lock
    // counts as abandoned) the user is told.
    static constexpr int kRetryMs = 1000;
    static constexpr int kTriesBeforeTelling = 40;

    // "tessera/tessera.conf" in the user's configuration folder
    // ($XDG_CONFIG_HOME, else ~/.config).
    static std::string userFile();

    explicit SettingsStore(std::string fileName = userFile(), QObject* parent = nullptr);
    // What still waits is tried once more, without waiting.
    ~SettingsStore() override;

    const std::string& fileName() const { return fileName_; }
    std::optional<std::string> value(std::string_view group, std::string_view key) const {
        return entries_.value(group, key);
    }
    // Replaces the entries of `group` (none removes it), or one entry, and saves.
    void setGroup(std::string_view group, std::vector<SettingsEntries::Entry> entries);
    void setValue(std::string_view group, std::string_view key, std::string value);

    // True while changes wait to be saved.
    bool savePending() const { return !unsaved_.empty(); }
    // Tries to save what waits (the retry timer's work).
    void saveNow();

signals:
    // Once, until a save succeeds again: the settings could not be saved.
    void notSaved(const QString& message);

private:
    enum class Attempt { Saved, Busy, Failed };
    Attempt attemptSave();
    void tell(const std::string& message);

    std::string fileName_;
    SettingsEntries entries_;
    std::set<std::string, std::less<>> unsaved_; // groups changed since the last save
    QTimer retry_{this}; // a child, so that its schedule can be looked at
    int busyTries_ = 0;
    bool told_ = false;
};

} // namespace tessera
