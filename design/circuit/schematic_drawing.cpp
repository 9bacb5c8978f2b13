#include "schematic_drawing.h"

#include "number_text.h"

#include <cmath>

namespace tessera::drawing {
namespace {

// Helvetica advance widths in thousandths of an em for ' ' ... '~'.
constexpr short kHelveticaWidths[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, // ' ' ... '/'
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556,                               // '0' ... '9'
    278, 278, 584, 584, 584, 556, 1015,                                              // ':' ... '@'
    667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833,                 // 'A' ... 'M'
    722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611,                 // 'N' ... 'Z'
    278, 278, 278, 469, 556, 333,                                                    // '[' ... '`'
    556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833,                 // 'a' ... 'm'
    556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500,                 // 'n' ... 'z'
    334, 260, 334, 584};                                                             // '{' ... '~'

constexpr double kAscent = 0.72; // cap height and a little, of the em

} // namespace

std::u32string codePoints(const std::string& text) {
    std::u32string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
        const unsigned char lead = byte(i);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                                      : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
        char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1Fu : length == 3 ? lead & 0x0Fu : lead & 0x07u;
        bool valid = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (byte(i + k) & 0xC0) == 0x80;
            c = (c << 6) | (byte(i + k) & 0x3Fu);
        }
        // Overlong forms, surrogates and values past U+10FFFF are no characters.
        if (valid && ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF)) ||
                      (c >= 0xD800 && c < 0xE000)))
            valid = false;
        out += valid ? c : U'\uFFFD';
        i += valid ? length : 1;
    }
    return out;
}

std::string validUtf8(const std::string& text) { return utf8Text(codePoints(text)); }

std::string utf8Text(const std::u32string& characters) {
    std::string out;
    for (char32_t c : characters) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string coordinateText(double value) {
    const double rounded = std::round(value * 100) / 100;
    return roundTripFixedText(rounded == 0 ? 0.0 : rounded);
}

double textWidth(const std::string& text, double size) {
    double units = 0;
    for (char32_t c : codePoints(text)) units += c >= 32 && c < 127 ? kHelveticaWidths[c - 32] : 556;
    return units * size / 1000;
}

Box textBox(const Text& text) {
    const double width = textWidth(text.text, text.size) * (text.bold ? 1.08 : 1);
    double left = text.at.x;
    if (text.anchor == Anchor::Middle) left -= width / 2;
    if (text.anchor == Anchor::End) left -= width;
    return {{left, text.at.y - kAscent * text.size}, {left + width, text.at.y}};
}

} // namespace tessera::drawing
