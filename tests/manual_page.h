#pragma once
// Reads the options a hand-written manual page (doc/man/*.1) documents, so
// that a test can hold them against a program's --help text. A page lists an
// option as the tag of a ".TP" item; the items belong to the section (".SH")
// or subsection (".SS") they stand in.

#include <algorithm>
#include <fstream>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace tessera::manual_test {

struct Heading {
    std::string macro; // ".SH" or ".SS"
    std::string title; // without quotes
};

class ManualPage {
public:
    explicit ManualPage(const std::string& path) {
        std::ifstream in(path);
        for (std::string line; std::getline(in, line);) lines_.push_back(line);
    }

    bool empty() const { return lines_.empty(); }

    // The page's headings in order.
    std::vector<Heading> headings() const {
        std::vector<Heading> found;
        for (const std::string& line : lines_)
            if (const auto h = heading(line)) found.push_back(*h);
        return found;
    }

    // The titles of the subsections within the section `section`.
    std::vector<std::string> subsections(std::string_view section) const {
        std::vector<std::string> titles;
        bool inside = false;
        for (const std::string& line : lines_) {
            const auto h = heading(line);
            if (!h) continue;
            if (h->macro == ".SH") inside = h->title == section;
            else if (inside) titles.push_back(h->title);
        }
        return titles;
    }

    // The tags of the ".TP" items of the section or subsection `title` (up
    // to the next heading), in plain text: without the font macro, quotes
    // and escapes (".BI \-\-band " LOW" becomes "--band LOW").
    std::vector<std::string> itemTags(std::string_view title) const {
        std::vector<std::string> tags;
        bool inside = false;
        for (std::size_t k = 0; k < lines_.size(); ++k) {
            if (const auto h = heading(lines_[k])) {
                inside = h->title == title;
                continue;
            }
            if (!inside || lines_[k] != ".TP" || k + 1 >= lines_.size()) continue;
            std::string tag = lines_[k + 1];
            if (tag.rfind('.', 0) == 0) tag.erase(0, std::min(tag.find(' '), tag.size()));
            std::string plain;
            for (const char c : plainText(tag))
                if (c != '"') plain += c;
            const auto first = plain.find_first_not_of(' ');
            tags.push_back(first == std::string::npos ? std::string() : plain.substr(first));
        }
        return tags;
    }

    // The options named in the ".TP" tags of the section or subsection `title`.
    std::set<std::string> itemOptions(std::string_view title) const {
        std::set<std::string> options;
        for (const std::string& tag : itemTags(title))
            for (const std::string& option : optionsIn(tag)) options.insert(option);
        return options;
    }

    // The third argument of ".TH" (the source, e.g. "TESSERA 1.0.0").
    std::string titleSource() const {
        for (const std::string& line : lines_) {
            if (line.rfind(".TH ", 0) != 0) continue;
            static const std::regex quoted("\"([^\"]*)\"");
            std::smatch m;
            if (std::regex_search(line, m, quoted)) return m[1];
        }
        return {};
    }

    // Roff escapes that matter for option names: "\-" is a minus, font
    // changes ("\fB", "\fR" …) and "\&" vanish.
    static std::string plainText(std::string_view roff) {
        std::string text;
        for (std::size_t k = 0; k < roff.size(); ++k) {
            if (roff[k] == '\\' && k + 1 < roff.size()) {
                const char next = roff[k + 1];
                if (next == '-') {
                    text += '-';
                    ++k;
                    continue;
                }
                if (next == 'f' && k + 2 < roff.size()) {
                    k += 2;
                    continue;
                }
                if (next == '&') {
                    ++k;
                    continue;
                }
            }
            text += roff[k];
        }
        return text;
    }

    // The options in a text: "--name" and "-name" words that start the text
    // or follow a blank, bracket, bar, comma or quote.
    static std::vector<std::string> optionsIn(const std::string& text) {
        static const std::regex option(R"((?:^|[\s\[(|,"])(--[A-Za-z0-9][A-Za-z0-9-]*|-[A-Za-z][A-Za-z0-9]*)(?![A-Za-z0-9-]))");
        std::vector<std::string> found;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
            found.push_back((*it)[1]);
        return found;
    }

private:
    static std::optional<Heading> heading(const std::string& line) {
        for (const char* macro : {".SH", ".SS"}) {
            if (line.rfind(std::string(macro) + " ", 0) != 0) continue;
            std::string title = line.substr(4);
            if (title.size() >= 2 && title.front() == '"' && title.back() == '"') title = title.substr(1, title.size() - 2);
            return Heading{macro, plainText(title)};
        }
        return std::nullopt;
    }

    std::vector<std::string> lines_;
};

} // namespace tessera::manual_test
