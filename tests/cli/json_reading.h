#pragma once
// A small JSON reader for the tests of `--json`: strict enough to refuse
// what is not JSON, numbers read with from_chars so that a test sees the
// very double the text holds.

#include <charconv>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessera::cli_test {

struct JsonValue {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members; // in the order written

    const JsonValue* find(std::string_view key) const {
        for (const auto& [k, v] : members)
            if (k == key) return &v;
        return nullptr;
    }
    const JsonValue& operator[](std::string_view key) const {
        static const JsonValue missing;
        const JsonValue* v = find(key);
        return v ? *v : missing;
    }
    std::vector<double> numbers() const {
        std::vector<double> out;
        for (const JsonValue& v : items) out.push_back(v.number);
        return out;
    }
};

class JsonReader {
public:
    // The one value of `text` (blanks around it allowed); nullopt when it is not JSON.
    static std::optional<JsonValue> read(std::string_view text) {
        JsonReader reader(text);
        JsonValue value;
        if (!reader.value(value)) return std::nullopt;
        reader.blanks();
        if (reader.at_ != text.size()) return std::nullopt;
        return value;
    }

private:
    explicit JsonReader(std::string_view text) : text_(text) {}

    void blanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\t' || text_[at_] == '\r'))
            ++at_;
    }
    bool literal(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) return false;
        at_ += word.size();
        return true;
    }
    bool string(std::string& out) {
        if (at_ >= text_.size() || text_[at_] != '"') return false;
        for (++at_; at_ < text_.size(); ++at_) {
            const char c = text_[at_];
            if (c == '"') {
                ++at_;
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (++at_ >= text_.size()) return false;
            switch (text_[at_]) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u': {
                unsigned code = 0;
                const auto hex = text_.substr(at_ + 1, 4);
                if (hex.size() != 4 || std::from_chars(hex.data(), hex.data() + 4, code, 16).ptr != hex.data() + 4)
                    return false;
                out += static_cast<char>(code); // the tests only meet control characters
                at_ += 4;
                break;
            }
            default: return false;
            }
        }
        return false;
    }
    bool value(JsonValue& v) {
        blanks();
        if (at_ >= text_.size()) return false;
        const char c = text_[at_];
        if (c == '{') return object(v);
        if (c == '[') return array(v);
        if (c == '"') return v.kind = JsonValue::String, string(v.text);
        if (literal("true")) return v.kind = JsonValue::Bool, v.boolean = true, true;
        if (literal("false")) return v.kind = JsonValue::Bool, true;
        if (literal("null")) return v.kind = JsonValue::Null, true;
        // JSON's number syntax: no leading "+", no leading zeros, no bare point.
        std::size_t end = at_;
        if (end < text_.size() && text_[end] == '-') ++end;
        if (end >= text_.size() || text_[end] < '0' || text_[end] > '9') return false;
        if (text_[end] == '0' && end + 1 < text_.size() && text_[end + 1] >= '0' && text_[end + 1] <= '9') return false;
        const auto [stop, error] = std::from_chars(text_.data() + at_, text_.data() + text_.size(), v.number);
        if (error != std::errc{}) return false;
        v.kind = JsonValue::Number;
        at_ = static_cast<std::size_t>(stop - text_.data());
        return true;
    }
    bool array(JsonValue& v) {
        v.kind = JsonValue::Array;
        ++at_;
        blanks();
        if (literal("]")) return true;
        for (;;) {
            JsonValue item;
            if (!value(item)) return false;
            v.items.push_back(std::move(item));
            blanks();
            if (literal("]")) return true;
            if (!literal(",")) return false;
        }
    }
    bool object(JsonValue& v) {
        v.kind = JsonValue::Object;
        ++at_;
        blanks();
        if (literal("}")) return true;
        for (;;) {
            blanks();
            std::string key;
            if (!string(key)) return false;
            blanks();
            if (!literal(":")) return false;
            JsonValue member;
            if (!value(member)) return false;
            v.members.emplace_back(std::move(key), std::move(member));
            blanks();
            if (literal("}")) return true;
            if (!literal(",")) return false;
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

} // namespace tessera::cli_test
