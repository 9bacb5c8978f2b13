#include "schematic.h"

#include "number_text.h"
#include "section_formulas.h"
#include "section_parts.h"

#include <cmath>

namespace tessera {
namespace {

using namespace drawing;

constexpr double kWireWidth = 0.9, kBodyWidth = 1.3;
constexpr double kPartTextSize = 8, kHeadingSize = 9.5, kNoteSize = 9, kTitleSize = 14;
constexpr double kDotRadius = 2.2, kTerminalRadius = 3;

Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point operator*(double k, Point a) { return {k * a.x, k * a.y}; }

// Which side of a two-pin part its designator and value go: a horizontal
// part has the designator above and the value below; a vertical one both
// beside it, on the left or the right.
enum class Side { AboveBelow, Left, Right };

class Sketch {
public:
    explicit Sketch(const std::vector<BoardPart>& parts) : parts_(parts) {}

    Drawing& drawing() { return d_; }

    // boardParts gives every section all its parts; were one missing, its
    // place would show "err" rather than the drawing fail.
    const BoardPart& part(int section, PartRole role, int index = 0) const {
        for (const BoardPart& p : parts_)
            if (p.section == section && p.role == role && p.index == index) return p;
        static const BoardPart missing{"?", PartKind::Resistor, PartRole::Input, 0, 0, 0, "err", {}, false};
        return missing;
    }

    void wire(std::initializer_list<Point> points) { d_.lines.push_back({points, kWireWidth, false, true}); }
    void dot(Point at) { d_.circles.push_back({at, kDotRadius, true}); }
    void text(Point at, std::string s, Anchor anchor, double size, TextRole role, std::string part = {},
              bool bold = false) {
        d_.texts.push_back({at, std::move(s), anchor, size, bold, role, std::move(part)});
    }

    // A resistor (IEC box) or capacitor between two pins 40 apart.
    void resistor(Point a, Point b, const BoardPart& p, Side side) {
        const auto [c, u, n] = frame(a, b);
        constexpr double half = 12, thick = 4.5;
        wire({a, c - half * u});
        wire({c + half * u, b});
        const Point corner[4] = {c - half * u - thick * n, c + half * u - thick * n, c + half * u + thick * n,
                                 c - half * u + thick * n};
        d_.lines.push_back({{corner[0], corner[1], corner[2], corner[3]}, kBodyWidth, true});
        symbol(SymbolKind::Resistor, p.designator, c, half * u + thick * n, {a, b});
        labels(c, u, p, side, thick);
    }
    void capacitor(Point a, Point b, const BoardPart& p, Side side) {
        const auto [c, u, n] = frame(a, b);
        constexpr double gap = 3, plate = 8;
        wire({a, c - gap * u});
        wire({c + gap * u, b});
        for (double k : {-gap, gap})
            d_.lines.push_back({{c + k * u - plate * n, c + k * u + plate * n}, kBodyWidth * 1.4, false});
        symbol(SymbolKind::Capacitor, p.designator, c, gap * u + plate * n, {a, b});
        labels(c, u, p, side, plate);
    }

    // An op-amp whose two inputs are at `top` and 20 below it, the output
    // 70 to the right of their middle; `plusOnTop` says which input is where.
    // Returns the output pin.
    Point opAmp(Point top, const BoardPart& p, bool plusOnTop) {
        const Point bottom = top + Point{0, 20};
        const Point output = top + Point{70, 10};
        d_.lines.push_back(
            {{top + Point{10, -15}, top + Point{10, 35}, top + Point{60, 10}}, kBodyWidth, true});
        wire({top, top + Point{10, 0}});
        wire({bottom, bottom + Point{10, 0}});
        wire({top + Point{60, 10}, output});
        // The signs as strokes, alike in every renderer and font.
        const auto minus = [&](Point at) { d_.lines.push_back({{at + Point{13, 0}, at + Point{19, 0}}, kWireWidth}); };
        const auto plus = [&](Point at) {
            minus(at);
            d_.lines.push_back({{at + Point{16, -3}, at + Point{16, 3}}, kWireWidth});
        };
        if (plusOnTop) {
            plus(top);
            minus(bottom);
        } else {
            minus(top);
            plus(bottom);
        }
        text(top + Point{31, 13}, p.designator, Anchor::Middle, kPartTextSize, TextRole::Designator, p.designator);
        d_.symbols.push_back({SymbolKind::OpAmp, p.designator, top + Point{10, -15}, top + Point{60, 35},
                              plusOnTop ? std::vector<Point>{top, bottom, output} : std::vector<Point>{bottom, top, output}});
        return output;
    }

    void ground(Point at) {
        wire({at, at + Point{0, 5}});
        for (double k : {0, 1, 2})
            d_.lines.push_back(
                {{at + Point{-8 + 3 * k, 5 + 3 * k}, at + Point{8 - 3 * k, 5 + 3 * k}}, kBodyWidth, false});
        d_.symbols.push_back({SymbolKind::Ground, {}, at + Point{-8, 0}, at + Point{8, 11}, {at}});
    }

    // An open circle at `at`, its wire meeting it at `pin` on its edge.
    void terminal(Point at, const std::string& label, Point pin) {
        d_.circles.push_back({at, kTerminalRadius, false});
        text(at + Point{0, -7}, label, Anchor::Middle, kHeadingSize, TextRole::Label, {}, true);
        d_.symbols.push_back({SymbolKind::Terminal, label, at - Point{3, 3}, at + Point{3, 3}, {pin}});
    }

private:
    struct Frame {
        Point centre, along, across;
    };
    static Frame frame(Point a, Point b) {
        const Point d = b - a;
        const double length = std::hypot(d.x, d.y);
        const Point u = (1 / length) * d;
        return {0.5 * (a + b), u, {-u.y, u.x}};
    }
    void symbol(SymbolKind kind, const std::string& designator, Point centre, Point corner, std::vector<Point> pins) {
        const Point half{std::fabs(corner.x), std::fabs(corner.y)};
        d_.symbols.push_back({kind, designator, centre - half, centre + half, std::move(pins)});
    }
    void labels(Point c, Point u, const BoardPart& p, Side side, double thick) {
        const bool horizontal = std::fabs(u.x) > std::fabs(u.y);
        if (horizontal || side == Side::AboveBelow) {
            text(c + Point{0, -thick - 2.5}, p.designator, Anchor::Middle, kPartTextSize, TextRole::Designator,
                 p.designator);
            text(c + Point{0, thick + 2.5 + 0.72 * kPartTextSize}, p.valueText, Anchor::Middle, kPartTextSize,
                 TextRole::Value, p.designator);
            return;
        }
        const double dx = side == Side::Right ? 8 : -8;
        const Anchor anchor = side == Side::Right ? Anchor::Start : Anchor::End;
        text(c + Point{dx, -1.5}, p.designator, anchor, kPartTextSize, TextRole::Designator, p.designator);
        text(c + Point{dx, 8.5}, p.valueText, anchor, kPartTextSize, TextRole::Value, p.designator);
    }

    const std::vector<BoardPart>& parts_;
    Drawing d_;
};

std::string sectionHeading(const FilterEngine& engine, int s, const SectionParts& parts) {
    const FilterSection& section = engine.state().section(s);
    const char sep = '.';
    std::string heading = "Filter" + std::to_string(s) + (isBoostSection(s) ? ", boost: " : ", cut: ") +
                          fixedText(section.Frequency, 5, 0, sep) + " Hz, Q " + fixedText(section.Q, 3, 2, sep) +
                          ", " + fixedText(shownGainDb(s, section.GainFactor), 3, 2, sep) + " dB";
    const std::string& status = engine.page(s).status;
    if (parts.exact)
        heading += ", exact values";
    else if (!status.empty())
        heading += ", " + status;
    for (Slot slot : {Slot::R1, Slot::R2, Slot::R3})
        if (!(parts.resistor(slot) > 0)) return heading + ": cannot be built (err)";
    return heading;
}

// One section with its input X on the main row: the summing stage on the
// main row, the band-pass stage below it. Boost: the band-pass takes the
// section's input and feeds the difference amplifier's inverting side
// (out = in - bp); cut: it takes the section's output and feeds the
// non-inverting side of the gain-2 stage (out = in + bp). Returns the
// section's output, 10 below X.
Point drawSection(Sketch& sk, const FilterEngine& engine, const SectionParts& values, int s, Point x) {
    const bool boost = isBoostSection(s);
    const auto at = [&](double dx, double dy) { return x + Point{dx, dy}; };
    sk.text(at(0, -40), sectionHeading(engine, s, values), Anchor::Start, kHeadingSize, TextRole::Heading, {}, true);

    // The band-pass stage, its input B.
    const Point b = at(20, 160);
    const auto in = [&](double dx, double dy) { return b + Point{dx, dy}; };
    sk.resistor(in(0, 0), in(40, 0), sk.part(s, PartRole::Input), Side::AboveBelow);
    sk.wire({in(40, 0), in(90, 0)});
    sk.dot(in(55, 0));
    sk.wire({in(55, 0), in(55, 20)});
    sk.resistor(in(55, 20), in(55, 60), sk.part(s, PartRole::Shunt), Side::Right);
    sk.ground(in(55, 60));
    sk.dot(in(75, 0)); // node a
    sk.wire({in(75, 0), in(75, -75), in(130, -75)});
    sk.capacitor(in(130, -75), in(170, -75), sk.part(s, PartRole::ToOutput), Side::AboveBelow);
    sk.wire({in(170, -75), in(250, -75), in(250, 10)});
    sk.capacitor(in(90, 0), in(130, 0), sk.part(s, PartRole::ToInverting), Side::AboveBelow);
    sk.wire({in(130, 0), in(160, 0)});
    sk.dot(in(145, 0)); // the inverting input
    sk.wire({in(145, 0), in(145, -35), in(175, -35)});
    sk.resistor(in(175, -35), in(215, -35), sk.part(s, PartRole::Feedback), Side::AboveBelow);
    sk.wire({in(215, -35), in(250, -35)});
    sk.dot(in(250, -35));
    const Point bpOut = sk.opAmp(in(160, 0), sk.part(s, PartRole::BandPassOpAmp), false);
    sk.wire({in(160, 20), in(150, 20), in(150, 30)});
    sk.ground(in(150, 30));
    sk.dot(in(250, 10)); // the stage output bp
    sk.wire({bpOut, in(250, 10)});

    // The summing stage: p (non-inverting) on the main row with a resistor
    // down from it, n (inverting) with one to the output and one down.
    // Netlist order of the summing resistors: boost bp-n, n-out, in-p, p-0;
    // cut in-p, bp-p, out-n, n-0.
    const BoardPart& mainRow = sk.part(s, PartRole::Summing, boost ? 2 : 0);
    const BoardPart& fromP = sk.part(s, PartRole::Summing, boost ? 3 : 1);
    const BoardPart& toOut = sk.part(s, PartRole::Summing, boost ? 1 : 2);
    const BoardPart& fromN = sk.part(s, PartRole::Summing, boost ? 0 : 3);
    sk.wire({at(0, 0), at(235, 0)});
    sk.resistor(at(235, 0), at(275, 0), mainRow, Side::AboveBelow);
    sk.wire({at(275, 0), at(330, 0)});
    sk.dot(at(295, 0)); // p
    sk.wire({at(295, 0), at(295, 25)});
    sk.resistor(at(295, 25), at(295, 65), fromP, Side::Left);
    sk.wire({at(330, 20), at(320, 20), at(320, 50), at(345, 50)});
    sk.dot(at(320, 50)); // n
    sk.resistor(at(345, 50), at(385, 50), toOut, Side::AboveBelow);
    sk.wire({at(385, 50), at(420, 50), at(420, 10)});
    sk.wire({at(320, 50), at(320, 75)});
    sk.resistor(at(320, 75), at(320, 115), fromN, Side::Right);
    const Point out = sk.opAmp(at(330, 0), sk.part(s, PartRole::SummingOpAmp), true);
    sk.wire({out, at(440, 10)});
    sk.dot(at(420, 10)); // the section's output
    if (boost) {
        sk.ground(at(295, 65));
        sk.wire({in(250, 10), at(320, 170), at(320, 115)});
        sk.dot(at(5, 0));
        sk.wire({at(5, 0), at(5, 160), b});
    } else {
        sk.ground(at(320, 115));
        sk.wire({in(250, 10), at(295, 170), at(295, 65)});
        // The output feeds the band-pass stage from below the gain-2 stage.
        sk.dot(at(420, 50));
        sk.wire({at(420, 50), at(420, 250), at(5, 250), at(5, 160), b});
    }
    return at(440, 10);
}

std::string opAmpLine(const OpAmpModel& opAmp) {
    if (opAmp.isIdeal()) return "Op-amps U1 ... U8: ideal";
    std::string line = "Op-amps U1 ... U8: " + opAmp.name;
    line += " (" + generalText(opAmp.gbw / 1e6, 4, '.') + " MHz";
    if (opAmp.slewVPerUs > 0) line += ", " + generalText(opAmp.slewVPerUs, 4, '.') + " V/us";
    return line + ")";
}

// The title line within `width`: a file name too long for it loses its
// beginning (the folders) to "...", so that the file's own name stays.
std::string titleLine(const std::string& name, double width) {
    const std::string start = "TESSERA equaliser: ";
    const std::u32string characters = codePoints(name);
    Text title;
    title.size = kTitleSize;
    title.bold = true;
    title.text = start + validUtf8(name);
    for (std::size_t dropped = 1; textBox(title).high.x > width && dropped < characters.size(); ++dropped)
        title.text = start + "..." + utf8Text(characters.substr(dropped));
    return title.text;
}

} // namespace

Drawing schematicDrawing(const FilterEngine& engine, const CircuitSettings& settings, const std::string& fileName) {
    const std::vector<BoardPart> parts = boardParts(engine, settings);
    const CircuitParts values = circuitParts(engine);
    Sketch sk(parts);
    Drawing& d = sk.drawing();
    d.width = 1040;
    d.height = 790;
    const std::string name = fileName.empty() ? std::string("(unnamed)") : fileName;
    d.title = "TESSERA equaliser: " + name;
    sk.text({30, 40}, titleLine(name, d.width - 60), Anchor::Start, kTitleSize, TextRole::Title, {}, true);
    // Side by side as texts of their own: SVG readers fold runs of blanks.
    double noteX = 30;
    for (const std::string& note :
         {opAmpLine(settings.opAmp),
          "Summing resistors R13 ... R28: " + partValueText(settings.summingOhms, PartKind::Resistor),
          std::string("Resistors in ohms, capacitors in farads")}) {
        sk.text({noteX, 60}, note, Anchor::Start, kNoteSize, TextRole::Label);
        noteX += textWidth(note, kNoteSize) + 24;
    }

    // Two rows of two sections, the chain running on from the end of the
    // upper row back to the start of the lower one.
    const Point start{70, 150};
    sk.terminal({40, 150}, "IN", {43, 150});
    sk.wire({{43, 150}, start});
    Point x = start;
    Point out;
    for (int s = 1; s <= kSectionCount; ++s) {
        out = drawSection(sk, engine, values[static_cast<std::size_t>(s - 1)], s, x);
        if (s == 2) {
            x = start + Point{0, 350};
            sk.wire({out, out + Point{20, 0}, out + Point{20, 255}, {50, out.y + 255}, {50, x.y}, x});
        } else if (s < kSectionCount) {
            x = out + Point{30, 0};
            sk.wire({out, x});
        }
    }
    sk.wire({out, out + Point{27, 0}});
    sk.terminal(out + Point{30, 0}, "OUT", out + Point{27, 0});
    return d;
}

} // namespace tessera
