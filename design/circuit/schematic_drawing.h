#pragma once
// A drawing as plain primitives in a coordinate space of its own (points of
// 1/72 inch, y downwards, the origin top left): polylines, circles and texts
// anchored at their baseline. The schematic's layout makes one; the window,
// the SVG and the PDF writers only trace it, so all three show the same.

#include <string>
#include <vector>

namespace tessera::drawing {

struct Point {
    double x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct Polyline {
    std::vector<Point> points;
    double width = 1; // stroke width
    bool closed = false;
    bool wire = false; // a connection (a part's leads included), not a symbol's body
};

struct Circle {
    Point centre;
    double radius = 1;
    bool filled = false; // a junction dot; else an open terminal
};

// Where the text's anchor point sits on its baseline.
enum class Anchor { Start, Middle, End };

enum class TextRole { Title, Heading, Designator, Value, Label };

struct Text {
    Point at; // on the baseline
    std::string text; // UTF-8
    Anchor anchor = Anchor::Start;
    double size = 8; // font size (the em height)
    bool bold = false;
    TextRole role = TextRole::Label;
    std::string part; // the designator a Designator or Value text belongs to
};

enum class SymbolKind { Resistor, Capacitor, OpAmp, Ground, Terminal };

// What a symbol is and where its body lies; its strokes are in `lines`.
struct Symbol {
    SymbolKind kind = SymbolKind::Resistor;
    std::string designator; // a terminal's label ("IN", "OUT"); empty for grounds
    Point low, high;        // bounding box of the body
    // Where wires meet it: a resistor's or capacitor's two ends, an op-amp's
    // non-inverting input, inverting input and output (the netlist's order),
    // a ground's or terminal's one point.
    std::vector<Point> pins;
};

struct Drawing {
    double width = 0, height = 0;
    std::string title; // the file's title (SVG <title>, PDF /Title)
    std::vector<Polyline> lines;
    std::vector<Circle> circles;
    std::vector<Text> texts;
    std::vector<Symbol> symbols;
};

// The characters of a UTF-8 text; a byte that starts no valid sequence is
// U+FFFD, so that a file name of any bytes can be shown.
std::u32string codePoints(const std::string& text);
// Characters as UTF-8.
std::string utf8Text(const std::u32string& characters);
// The same characters as valid UTF-8.
std::string validUtf8(const std::string& text);

// A coordinate or size as the files write it: to a hundredth of a point
// (finer than any screen or printer), shortest form, "-0" as "0".
std::string coordinateText(double value);

// Helvetica's advance widths (the PDF's base-14 font): the width of `text`
// at `size`, and the box it covers (baseline to ascent, descent ignored).
double textWidth(const std::string& text, double size);
struct Box {
    Point low, high;
    bool overlaps(const Box& other) const {
        return low.x < other.high.x && other.low.x < high.x && low.y < other.high.y && other.low.y < high.y;
    }
};
Box textBox(const Text& text);

} // namespace tessera::drawing
