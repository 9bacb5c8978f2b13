#include "json_text.h"

#include "number_text.h"

#include <cmath>
#include <cstdio>

namespace tessera::cli {

std::string jsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    return roundTripText(value);
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string jsonBool(bool value) { return value ? "true" : "false"; }

std::string jsonArray(const std::vector<std::string>& values) {
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i) out += (i ? ", " : "") + values[i];
    return out + "]";
}

JsonObject& JsonObject::add(std::string_view key, std::string value) {
    members_.emplace_back(jsonString(key), std::move(value));
    return *this;
}

std::string JsonObject::text(bool indented) const {
    std::string out = "{";
    for (std::size_t i = 0; i < members_.size(); ++i) {
        out += i ? "," : "";
        out += indented ? "\n  " : (i ? " " : "");
        out += members_[i].first + ": " + members_[i].second;
    }
    return out + (indented ? "\n}" : "}");
}

} // namespace tessera::cli
