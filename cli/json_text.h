#pragma once
// JSON for `--json`: numbers in the shortest form that reads back as the
// same double, strings escaped, and objects whose keys keep the order they
// were added in.

#include <string>
#include <string_view>
#include <vector>

namespace tessera::cli {

// The shortest text that reads back as `value` ("0.1", "1e-07"); null for a
// value that is not finite, which JSON cannot hold.
std::string jsonNumber(double value);
std::string jsonString(std::string_view text);
std::string jsonBool(bool value);

// Values already written as JSON, in brackets.
std::string jsonArray(const std::vector<std::string>& values);
template <typename Numbers> std::string jsonNumbers(const Numbers& numbers) {
    std::vector<std::string> values;
    for (const double v : numbers) values.push_back(jsonNumber(v));
    return jsonArray(values);
}

class JsonObject {
public:
    // `value` already written as JSON.
    JsonObject& add(std::string_view key, std::string value);
    JsonObject& add(std::string_view key, double value) { return add(key, jsonNumber(value)); }
    // On one line, or, with `indented`, one key a line (for the outermost object).
    std::string text(bool indented = false) const;

private:
    std::vector<std::pair<std::string, std::string>> members_;
};

} // namespace tessera::cli
