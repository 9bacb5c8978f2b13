#include "settings_file.h"

#include "file_reading.h"
#include "line_source.h"
#include "safe_save.h"
#include "text_lines.h"

#include <algorithm>
#include <filesystem>

namespace tessera {
namespace {

constexpr std::string_view kTopGroup = "General";

// A value as written: quoted ones lose their quotes and escapes.
std::string valueOf(std::string_view written) {
    written = trimmedBlanks(written);
    if (written.size() < 2 || written.front() != '"' || written.back() != '"') return std::string(written);
    std::string value;
    for (std::size_t i = 1; i + 1 < written.size(); ++i) {
        char c = written[i];
        if (c == '\\' && i + 2 < written.size()) {
            c = written[++i];
            if (c == 'n') c = '\n';
            if (c == 'r') c = '\r';
            if (c == 't') c = '\t';
        }
        value += c;
    }
    return value;
}

// A value that would not read back as it is gets quotes.
std::string written(std::string_view value) {
    const bool plain = value.find_first_of(";,=\"\\\n\r\t") == std::string_view::npos && trimmedBlanks(value) == value;
    if (plain) return std::string(value);
    std::string text = "\"";
    for (const char c : value) {
        switch (c) {
        case '"': text += "\\\""; break;
        case '\\': text += "\\\\"; break;
        case '\n': text += "\\n"; break;
        case '\r': text += "\\r"; break;
        case '\t': text += "\\t"; break;
        default: text += c;
        }
    }
    return text + '"';
}

} // namespace

SettingsEntries SettingsEntries::parse(std::string_view text) {
    SettingsEntries entries;
    std::string group(kTopGroup);
    LineSource lines(text);
    std::string_view line;
    while (lines.next(line)) {
        line = trimmedBlanks(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            group = trimmedBlanks(line.substr(1, line.size() - 2));
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos || trimmedBlanks(line.substr(0, equals)).empty()) continue;
        entries.setValue(group, trimmedBlanks(line.substr(0, equals)), valueOf(line.substr(equals + 1)));
    }
    return entries;
}

std::string SettingsEntries::text() const {
    std::string text;
    for (const Group& group : groups_) {
        if (!text.empty()) text += '\n';
        text += '[' + group.name + "]\n";
        for (const auto& [key, value] : group.entries) text += key + '=' + written(value) + '\n';
    }
    return text;
}

const SettingsEntries::Group* SettingsEntries::find(std::string_view name) const {
    const auto found = std::find_if(groups_.begin(), groups_.end(), [&](const Group& g) { return g.name == name; });
    return found == groups_.end() ? nullptr : &*found;
}

SettingsEntries::Group* SettingsEntries::find(std::string_view name) {
    return const_cast<Group*>(std::as_const(*this).find(name));
}

std::optional<std::string> SettingsEntries::value(std::string_view group, std::string_view key) const {
    if (const Group* g = find(group))
        for (const auto& [k, v] : g->entries)
            if (k == key) return v;
    return std::nullopt;
}

std::vector<SettingsEntries::Entry> SettingsEntries::group(std::string_view group) const {
    const Group* g = find(group);
    return g ? g->entries : std::vector<Entry>{};
}

void SettingsEntries::setGroup(std::string_view group, std::vector<Entry> entries) {
    if (Group* g = find(group)) {
        if (entries.empty())
            std::erase_if(groups_, [&](const Group& other) { return other.name == group; });
        else
            g->entries = std::move(entries);
    } else if (!entries.empty()) {
        groups_.push_back({std::string(group), std::move(entries)});
    }
}

void SettingsEntries::setValue(std::string_view group, std::string_view key, std::string value) {
    Group* g = find(group);
    if (!g) g = &groups_.emplace_back(Group{std::string(group), {}});
    for (auto& [k, v] : g->entries)
        if (k == key) {
            v = std::move(value);
            return;
        }
    g->entries.emplace_back(std::string(key), std::move(value));
}

SettingsEntries readSettingsFile(const std::string& fileName) {
    std::optional<std::string> text = readFileStart(fileName, kSettingsReadLimit);
    if (!text) return {};
    // A line the limit cut off is not the line that was written.
    if (text->size() == kSettingsReadLimit) text->erase(text->find_last_of("\r\n") + 1);
    return SettingsEntries::parse(*text);
}

bool saveSettingsGroups(const std::string& fileName, const SettingsEntries& entries,
                        const std::set<std::string, std::less<>>& groups) {
    SettingsEntries saved = readSettingsFile(fileName);
    for (const std::string& group : groups) saved.setGroup(group, entries.group(group));
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(fileName).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, error);
    return !error && replaceFile(fileName, saved.text());
}

} // namespace tessera
