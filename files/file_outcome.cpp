#include "file_outcome.h"

#include <algorithm>

namespace tessera::messages {

Message cannotCreate(const std::string& name) { return {kCannotCreateFile, {name}}; }
Message cannotOpen(const std::string& name) { return {kCannotOpenFile, {name}}; }

Message cannotRead(const std::string& name) { return {kCannotReadFile, {name}}; }
Message notRegularFile(const std::string& name) { return {kNotRegularFile, {name}}; }
Message fileTooLarge(const std::string& name) { return {kFileTooLarge, {name}}; }
Message lineTooLong(const std::string& name) { return {kLineTooLong, {name}}; }
Message outOfMemory(const std::string& name) { return {kOutOfMemory, {name}}; }

Message settingsNotSaved(const std::string& name) { return {kSettingsNotSaved, {name}}; }
Message settingsFileInUse(const std::string& name) { return {kSettingsFileInUse, {name}}; }

Message configurationIncomplete(const std::string& name) { return {kConfigurationIncomplete, {name}}; }
Message configurationNumberTooLarge(const std::string& name) { return {kConfigurationNumberTooLarge, {name}}; }

Message notAsciiFile(const std::string& name) { return {kNotAsciiFile, {name}}; }
Message measurementIncomplete(const std::string& name) { return {kMeasurementIncomplete, {name}}; }
Message tooFewPoints(const std::string& name) { return {kTooFewPoints, {name}}; }
Message nothingAbove20Hz(const std::string& name) { return {kNothingAbove20Hz, {name}}; }
Message measurementNumberTooLarge(const std::string& name) { return {kMeasurementNumberTooLarge, {name}}; }

Message measurementLineRefusal(const Wording& reason, const std::string& name, std::size_t line) {
    return {reason, {name, std::to_string(line)}};
}

namespace {
// The column as the message quotes it: a long one cut at a character's first
// byte, with "..." after it.
std::string excerpt(std::string_view text) {
    constexpr std::size_t kLongest = 40;
    std::size_t cut = std::min(text.size(), kLongest);
    while (cut < text.size() && cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    std::string result(text.substr(0, cut));
    if (cut < text.size()) result += "...";
    return result;
}
} // namespace

Message measurementLineRefusal(const Wording& reason, const std::string& name, std::size_t line,
                               std::string_view column) {
    return {reason, {name, std::to_string(line), excerpt(column)}};
}

} // namespace tessera::messages
