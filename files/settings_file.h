#pragma once
// The program's settings file ("tessera/tessera.conf" in the user's
// configuration folder): "[group]" lines, each followed by its "key=value"
// lines, as the settings have always been written. A value may be quoted
// ("...", with \" and \\ inside); lines starting with ';' or '#' are remarks,
// entries before any group belong to "General".
//
// The file is read as documents are: only a regular file, never waiting on
// a pipe or a device, and only its first kSettingsReadLimit bytes (a settings
// file holds a few hundred); whatever cannot be read is left to the defaults.
// It is saved as documents are (safe_save.h): through a temporary, never over
// anything but a regular file.

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessera {

inline constexpr std::size_t kSettingsReadLimit = 64 * 1024;

class SettingsEntries {
public:
    using Entry = std::pair<std::string, std::string>; // key, value

    // The entries of a settings text; lines that are no entry are passed over.
    static SettingsEntries parse(std::string_view text);
    // The text that parses back to these entries, groups in their order.
    std::string text() const;

    // The value under `key` in `group`, nullopt when there is none.
    std::optional<std::string> value(std::string_view group, std::string_view key) const;
    // The entries of `group`, in their order (none when it is missing).
    std::vector<Entry> group(std::string_view group) const;
    // Replaces all entries of `group` (an empty list removes the group).
    void setGroup(std::string_view group, std::vector<Entry> entries);
    // Sets one entry, keeping the others of its group.
    void setValue(std::string_view group, std::string_view key, std::string value);

    bool operator==(const SettingsEntries&) const = default;

private:
    struct Group {
        std::string name;
        std::vector<Entry> entries;
        bool operator==(const Group&) const = default;
    };
    Group* find(std::string_view name);
    const Group* find(std::string_view name) const;
    std::vector<Group> groups_;
};

// The entries of the settings file `fileName`; none when it is missing, no
// regular file or unreadable, and only those of its first kSettingsReadLimit
// bytes (a line cut off there is dropped).
SettingsEntries readSettingsFile(const std::string& fileName);

// Saves `groups` of `entries` into the settings file: the file is read
// again, so that the groups another program saved meanwhile stay, those
// named replace theirs, and the whole is put in place safely (replaceFile);
// the file's folder is made when missing. False when nothing was saved.
bool saveSettingsGroups(const std::string& fileName, const SettingsEntries& entries,
                        const std::set<std::string, std::less<>>& groups);

} // namespace tessera
