// The schematic and the parts list against the netlist: every part the
// netlist builds is drawn with its value, wired as the netlist wires it, and
// listed with its value; refusals keep old files.
#include "board_parts.h"
#include "circuit_fixture.h"
#include "netlist.h"
#include "parts_list.h"
#include "safe_save.h"
#include "schematic.h"
#include "schematic_files.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <numeric>
#include <regex>
#include <set>
#include <sstream>

using namespace tessera;
using namespace tessera::circuit_test;
using drawing::Point;

namespace {

// "130k", "2.54648Meg", "1n", "2.54648M", "510": the number; NaN for anything else.
double scaledValue(const std::string& text) {
    static const std::pair<const char*, double> suffixes[] = {{"Meg", 1e6}, {"M", 1e6}, {"k", 1e3}, {"m", 1e-3},
                                                             {"u", 1e-6},   {"n", 1e-9}, {"p", 1e-12}};
    std::size_t used = 0;
    double number = 0;
    try {
        number = std::stod(text, &used);
    } catch (...) {
        return std::nan("");
    }
    const std::string suffix = text.substr(used);
    if (suffix.empty()) return number;
    for (const auto& [name, factor] : suffixes)
        if (suffix == name) return number * factor;
    return std::nan("");
}

bool sameValue(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::fabs(b); }

// A part as the netlist builds it: its value and its nodes, subcircuit
// nodes renamed to the whole circuit's ("in", "n1", ..., "out", "0", or
// "s:name" inside section s). Op-amps have their nodes in the order
// non-inverting input, inverting input, output, and no value.
struct NetlistPart {
    double value = 0;
    std::vector<std::string> nodes;
};

std::map<std::string, NetlistPart> netlistParts(const std::string& text) {
    std::map<std::string, NetlistPart> parts;
    std::istringstream lines(text);
    std::string line;
    int section = 0;
    const std::string chain[] = {"in", "n1", "n2", "n3", "out"};
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
        if (w.empty()) continue;
        if (w[0] == ".subckt") section = w[1].rfind("filter", 0) == 0 ? std::stoi(w[1].substr(6)) : 0;
        if (w[0] == ".ends") section = 0;
        if (section == 0 || w[0][0] == '*' || w[0][0] == '.') continue;
        const auto global = [&](const std::string& node) {
            if (node == "0") return node;
            if (node == "in") return chain[section - 1];
            if (node == "out") return chain[section];
            return std::to_string(section) + ":" + node;
        };
        std::string name = w[0];
        NetlistPart part;
        if (name[0] == 'X') {
            // An op-amp's subcircuit instance: "X" and its designator.
            name = name.substr(1);
            part.nodes = {global(w[1]), global(w[2]), global(w[3])};
        } else {
            part.nodes = {global(w[1]), global(w[2])};
            part.value = scaledValue(w[3]);
        }
        parts[name] = part;
    }
    return parts;
}

struct SvgText {
    std::string role, part, text;
    double x = 0, y = 0;
};

std::vector<SvgText> svgTexts(const std::string& svg) {
    std::vector<SvgText> texts;
    const std::regex element(
        R"re(<text class="(\w+)"(?: data-part="([^"]*)")? x="([-0-9.]+)" y="([-0-9.]+)"[^>]*>([^<]*)</text>)re");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), element); it != std::sregex_iterator(); ++it)
        texts.push_back({(*it)[1], (*it)[2], (*it)[5], std::stod((*it)[3]), std::stod((*it)[4])});
    return texts;
}

std::vector<std::vector<std::string>> csvRows(const std::string& csv) {
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    while (start < csv.size()) {
        const std::size_t end = csv.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
        if (end == std::string::npos) break;
        const std::string line = csv.substr(start, end - start);
        EXPECT_EQ(line.find('\n'), std::string::npos);
        std::vector<std::string> fields(1);
        bool quoted = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = !quoted;
            } else if (c == ',' && !quoted) {
                fields.emplace_back();
            } else {
                fields.back() += c;
            }
        }
        rows.push_back(fields);
        start = end + 2;
    }
    return rows;
}

std::string fileText(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The designs every check runs on: start-up, random ones of every kind of
// parts, and the extremes of the capacitor selector in exact mode.
std::vector<std::pair<std::string, std::unique_ptr<Design>>> designs() {
    std::vector<std::pair<std::string, std::unique_ptr<Design>>> all;
    all.emplace_back("start-up", std::make_unique<Design>());
    const std::pair<unsigned, Parts> random[] = {{21, Parts::E24}, {22, Parts::E12}, {23, Parts::Exact},
                                                 {24, Parts::Mixed}, {25, Parts::Mixed}};
    for (const auto& [seed, parts] : random) {
        auto design = std::make_unique<Design>();
        design->randomise(seed, parts);
        all.emplace_back("random-" + std::to_string(seed), std::move(design));
    }
    auto extreme = std::make_unique<Design>();
    for (int s = 1; s <= kSectionCount; ++s) {
        extreme->engine->selectCapacitor(s, kCapacitorItems[s % 2 ? 0 : kCapacitorItems.size() - 1]);
        extreme->engine->commitEntry(s, Entry::Frequency, s % 2 ? "20" : "20000");
        extreme->engine->commitEntry(s, Entry::Q, s % 2 ? "8" : "0.5");
    }
    all.emplace_back("extreme-exact", std::move(extreme));
    return all;
}

} // namespace

TEST(BoardParts, ValuesReadAsOnADrawing) {
    EXPECT_EQ(partValueText(130e3, PartKind::Resistor), "130k");
    EXPECT_EQ(partValueText(4700, PartKind::Resistor), "4.7k");
    EXPECT_EQ(partValueText(1e6, PartKind::Resistor), "1M");
    EXPECT_EQ(partValueText(510, PartKind::Resistor), "510");
    EXPECT_EQ(partValueText(39, PartKind::Resistor), "39");
    EXPECT_EQ(partValueText(2546480, PartKind::Resistor), "2.54648M");
    EXPECT_EQ(partValueText(497.608, PartKind::Resistor), "497.608");
    EXPECT_EQ(partValueText(1.5e-9, PartKind::Capacitor), "1.5n");
    EXPECT_EQ(partValueText(100e-9, PartKind::Capacitor), "100n");
    EXPECT_EQ(partValueText(999.9999999999e-9, PartKind::Capacitor), "1u");
    EXPECT_EQ(partValueText(470e-12, PartKind::Capacitor), "470p");
    for (double bad : {0.0, -510.0, std::nan(""), std::numeric_limits<double>::infinity()}) EXPECT_EQ(partValueText(bad, PartKind::Resistor), "err");
    EXPECT_EQ(opAmpPartName(idealOpAmp()), "op-amp");
    EXPECT_EQ(opAmpPartName(*opAmpNamed("ne5532")), "NE5532");
}

TEST(Board, EveryNetlistPartIsDrawnAndListedWithItsValue) {
    std::size_t count = 0;
    for (const auto& [label, design] : designs()) {
        // Every other design with a named op-amp and other summing resistors.
        CircuitSettings settings;
        if (count++ % 2) {
            settings.opAmp = *opAmpNamed("NE5532");
            settings.summingOhms = 4700;
        }
        NetlistOptions options;
        options.opAmp = settings.opAmp;
        options.summingOhms = settings.summingOhms;
        const auto netlist = netlistParts(netlistText(*design->engine, options));
        std::string names;
        for (const auto& entry : netlist) names += entry.first + " ";
        ASSERT_EQ(netlist.size(), 44u) << label << ": " << names; // 28 resistors, 8 capacitors, 8 op-amps
        const auto texts = svgTexts(svgText(schematicDrawing(*design->engine, settings, "eq.tsn")));
        const auto rows = csvRows(partsListCsv(boardParts(*design->engine, settings), PartsListForm::PerPart));
        ASSERT_EQ(rows.size(), 45u) << label;
        EXPECT_EQ(rows[0], (std::vector<std::string>{"designator", "kind", "value", "section", "note"}));
        for (const auto& [designator, part] : netlist) {
            const bool opAmp = designator[0] == 'U';
            // Drawn: its designator, and its value beside it.
            const auto named = std::find_if(texts.begin(), texts.end(), [&](const SvgText& t) {
                return t.role == "designator" && t.text == designator;
            });
            ASSERT_NE(named, texts.end()) << label << " " << designator;
            if (!opAmp) {
                const auto valued = std::find_if(texts.begin(), texts.end(), [&](const SvgText& t) {
                    return t.role == "value" && t.part == designator;
                });
                ASSERT_NE(valued, texts.end()) << label << " " << designator;
                EXPECT_TRUE(sameValue(scaledValue(valued->text), part.value))
                    << label << " " << designator << ": drawn " << valued->text << ", netlist " << part.value;
                EXPECT_LT(std::hypot(valued->x - named->x, valued->y - named->y), 30) << label << " " << designator;
            }
            // Listed once, with the same value.
            const auto listed = std::count_if(rows.begin(), rows.end(), [&](const auto& r) { return r[0] == designator; });
            ASSERT_EQ(listed, 1) << label << " " << designator;
            const auto& row = *std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r[0] == designator; });
            ASSERT_EQ(row.size(), 5u);
            EXPECT_EQ(row[1], opAmp ? "op-amp" : designator[0] == 'R' ? "resistor" : "capacitor");
            if (opAmp)
                EXPECT_EQ(row[2], settings.opAmp.isIdeal() ? "op-amp" : "NE5532");
            else
                EXPECT_TRUE(sameValue(scaledValue(row[2]), part.value)) << label << " " << designator << " " << row[2];
        }
    }
}

// Nets of the drawing: the wires joined where a wire's end or a pin lies on
// another wire; each named by the pins on it ("R3", "U1+", "U1-", "U1o",
// "IN", "OUT"), every net with a ground symbol merged into one.
std::multiset<std::multiset<std::string>> drawnNets(const drawing::Drawing& d) {
    std::vector<std::pair<Point, Point>> segments;
    for (const auto& line : d.lines)
        if (line.wire)
            for (std::size_t i = 1; i < line.points.size(); ++i) segments.push_back({line.points[i - 1], line.points[i]});
    std::vector<int> parent(segments.size());
    std::iota(parent.begin(), parent.end(), 0);
    const std::function<int(int)> root = [&](int i) { return parent[i] == i ? i : parent[i] = root(parent[i]); };
    const auto touches = [](Point p, const std::pair<Point, Point>& s) {
        const double cross = (s.second.x - s.first.x) * (p.y - s.first.y) - (s.second.y - s.first.y) * (p.x - s.first.x);
        return std::fabs(cross) < 1e-6 && p.x >= std::min(s.first.x, s.second.x) - 1e-6 &&
               p.x <= std::max(s.first.x, s.second.x) + 1e-6 && p.y >= std::min(s.first.y, s.second.y) - 1e-6 &&
               p.y <= std::max(s.first.y, s.second.y) + 1e-6;
    };
    for (std::size_t i = 0; i < segments.size(); ++i)
        for (std::size_t j = 0; j < segments.size(); ++j)
            if (touches(segments[i].first, segments[j]) || touches(segments[i].second, segments[j]))
                parent[static_cast<std::size_t>(root(static_cast<int>(i)))] = root(static_cast<int>(j));
    const auto netOf = [&](Point pin) {
        for (std::size_t j = 0; j < segments.size(); ++j)
            if (touches(pin, segments[j])) return root(static_cast<int>(j));
        return -1;
    };
    // Every net with a ground symbol is the one ground net, key -2.
    std::set<int> grounded;
    for (const auto& symbol : d.symbols)
        if (symbol.kind == drawing::SymbolKind::Ground) grounded.insert(netOf(symbol.pins.at(0)));
    std::map<int, std::multiset<std::string>> nets{{-2, {"0"}}};
    for (std::size_t j = 0; j < segments.size(); ++j) {
        const int net = root(static_cast<int>(j));
        nets[grounded.count(net) ? -2 : net]; // a wire that meets no pin stays an empty net
    }
    for (const auto& symbol : d.symbols) {
        if (symbol.kind == drawing::SymbolKind::Ground) continue;
        static const char* opAmpPins[] = {"+", "-", "o"};
        for (std::size_t k = 0; k < symbol.pins.size(); ++k) {
            const int net = netOf(symbol.pins[k]);
            EXPECT_GE(net, 0) << "a pin of " << symbol.designator << " meets no wire";
            nets[grounded.count(net) ? -2 : net].insert(
                symbol.designator + (symbol.kind == drawing::SymbolKind::OpAmp ? opAmpPins[k] : ""));
        }
    }
    std::multiset<std::multiset<std::string>> result;
    for (const auto& [net, pins] : nets) result.insert(pins);
    return result;
}

std::multiset<std::multiset<std::string>> netlistNets(const std::map<std::string, NetlistPart>& parts) {
    std::map<std::string, std::multiset<std::string>> nets{{"in", {"IN"}}, {"out", {"OUT"}}, {"0", {"0"}}};
    for (const auto& [designator, part] : parts) {
        static const char* opAmpPins[] = {"+", "-", "o"};
        for (std::size_t k = 0; k < part.nodes.size(); ++k) {
            nets[part.nodes[k]].insert(designator + (designator[0] == 'U' ? opAmpPins[k] : ""));
        }
    }
    std::multiset<std::multiset<std::string>> result;
    for (const auto& [node, pins] : nets) result.insert(pins);
    return result;
}

TEST(Board, TheDrawingIsWiredAsTheNetlist) {
    for (const auto& [label, design] : designs()) {
        const auto drawn = drawnNets(schematicDrawing(*design->engine, {}, ""));
        const auto built = netlistNets(netlistParts(netlistText(*design->engine, {})));
        std::ostringstream difference;
        for (const auto& net : drawn)
            if (!built.count(net)) {
                difference << "drawn only:";
                for (const auto& pin : net) difference << " " << pin;
                difference << "\n";
            }
        for (const auto& net : built)
            if (!drawn.count(net)) {
                difference << "netlist only:";
                for (const auto& pin : net) difference << " " << pin;
                difference << "\n";
            }
        EXPECT_EQ(drawn, built) << label << "\n" << difference.str();
    }
}

// A designer must be able to read every label: no text over another, over
// a symbol's body or under a wire, and all of them on the page.
TEST(Board, TextsStayClearOfEachOtherOfTheSymbolsAndOfTheWires) {
    CircuitSettings settings;
    settings.opAmp = *opAmpNamed("OPA1612");
    settings.summingOhms = 4700;
    for (const auto& [label, design] : designs()) {
        const drawing::Drawing d = schematicDrawing(*design->engine, settings, "/some/folder/eq.tsn");
        std::vector<drawing::Box> boxes;
        for (const auto& text : d.texts) {
            drawing::Box box = drawing::textBox(text);
            EXPECT_TRUE(box.low.x >= 0 && box.low.y >= 0 && box.high.x <= d.width && box.high.y <= d.height)
                << label << ": " << text.text << " leaves the page";
            for (std::size_t k = 0; k < boxes.size(); ++k)
                EXPECT_FALSE(box.overlaps(boxes[k])) << label << ": " << text.text << " over " << d.texts[k].text;
            boxes.push_back(box);
            for (const auto& symbol : d.symbols) {
                const bool ownOpAmp = symbol.kind == drawing::SymbolKind::OpAmp && symbol.designator == text.text;
                EXPECT_TRUE(ownOpAmp || !box.overlaps({symbol.low, symbol.high}))
                    << label << ": " << text.text << " over the symbol of " << symbol.designator;
            }
            for (const auto& line : d.lines)
                for (std::size_t i = 1; i < line.points.size(); ++i)
                    for (double t = 0; t <= 1; t += 1.0 / 256) {
                        const Point p{line.points[i - 1].x + t * (line.points[i].x - line.points[i - 1].x),
                                      line.points[i - 1].y + t * (line.points[i].y - line.points[i - 1].y)};
                        const bool inside = p.x > box.low.x && p.x < box.high.x && p.y > box.low.y && p.y < box.high.y;
                        ASSERT_FALSE(inside && !(text.role == drawing::TextRole::Designator &&
                                                 text.text[0] == 'U' && !line.wire))
                            << label << ": a line runs through " << text.text;
                    }
        }
        // The header names the file, the op-amp and the summing resistors.
        const auto has = [&](const std::string& s) {
            return std::any_of(d.texts.begin(), d.texts.end(), [&](const auto& t) { return t.text.find(s) != std::string::npos; });
        };
        EXPECT_TRUE(has("/some/folder/eq.tsn") && has("OPA1612") && has("R13 ... R28: 4.7k")) << label;
    }
}

TEST(Board, ALongFileNameLosesItsFoldersNotTheFilesOwnName) {
    std::string folders;
    for (int i = 0; i < 30; ++i) folders += "/Entw\xC3\xBCrfe " + std::to_string(i);
    const drawing::Drawing d = schematicDrawing(*Design().engine, {}, folders + "/eq.tsn");
    EXPECT_EQ(d.title, "TESSERA equaliser: " + folders + "/eq.tsn"); // whole in the file's title
    const auto title = std::find_if(d.texts.begin(), d.texts.end(),
                                    [](const auto& t) { return t.role == drawing::TextRole::Title; });
    ASSERT_NE(title, d.texts.end());
    EXPECT_EQ(title->text.rfind("TESSERA equaliser: ...", 0), 0u) << title->text;
    EXPECT_EQ(title->text.substr(title->text.size() - 9), "29/eq.tsn") << title->text;
    EXPECT_LE(drawing::textBox(*title).high.x, d.width);
}

TEST(Board, ASectionThatShowsErrIsDrawnWithErrAndNotOrdered) {
    Design design;
    // Q 0.5 with 6 dB of boost needs a negative shunt resistor: "err" on page 2.
    design.engine->commitEntry(2, Entry::Q, "0.5");
    design.engine->commitEntry(2, Entry::Gain, "6");
    ASSERT_EQ(design.engine->page(2).resistorLabel[static_cast<std::size_t>(slotIndex(Slot::R3))], "err");
    const auto texts = svgTexts(svgText(schematicDrawing(*design.engine, {}, "")));
    const auto errs = std::count_if(texts.begin(), texts.end(), [](const SvgText& t) {
        return t.role == "value" && t.text == "err";
    });
    EXPECT_GE(errs, 1);
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const SvgText& t) {
        return t.role == "value" && t.part == "R5" && t.text == "err";
    }));
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const SvgText& t) {
        return t.role == "heading" && t.text.rfind("Filter2", 0) == 0 && t.text.find("cannot be built (err)") != std::string::npos;
    }));

    const ScratchFolder scratch;
    const std::string file = scratch.file("parts.csv");
    ASSERT_TRUE(replaceFile(file, "old list"));
    const FileOutcome refused = writePartsList(*design.engine, {}, PartsListForm::PerPart, file);
    ASSERT_TRUE(refused.refused());
    EXPECT_NE(refused.message.text(Language::English).find("Filter2"), std::string::npos);
    EXPECT_EQ(fileText(file), "old list");

    // A folder that does not exist: the program's message, nothing written;
    // an existing file that cannot be replaced keeps its bytes.
    const std::string unwritable = scratch.file("missing") + "/parts.csv";
    const FileOutcome failed = writePartsList(*Design().engine, {}, PartsListForm::Grouped, unwritable);
    ASSERT_TRUE(failed.refused());
    EXPECT_EQ(failed.message.text(Language::German), "Kann Datei " + unwritable + " nicht erstellen");
    const FileOutcome drawingFailed =
        writeDrawing(schematicDrawing(*Design().engine, {}, ""), DrawingFormat::Svg, unwritable);
    EXPECT_EQ(drawingFailed.message.text(Language::German), "Kann Datei " + unwritable + " nicht erstellen");
}

TEST(Board, GroupedListCountsEveryPartOnceByValue) {
    for (const auto& [label, design] : designs()) {
        CircuitSettings settings;
        settings.opAmp = *opAmpNamed("TL072");
        const auto parts = boardParts(*design->engine, settings);
        const auto rows = csvRows(partsListCsv(parts, PartsListForm::Grouped));
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows[0], (std::vector<std::string>{"kind", "value", "count", "designators"}));
        std::multiset<std::string> listed;
        std::set<std::pair<std::string, std::string>> groups;
        for (std::size_t i = 1; i < rows.size(); ++i) {
            ASSERT_EQ(rows[i].size(), 4u);
            EXPECT_TRUE(groups.insert({rows[i][0], rows[i][1]}).second) << label << ": " << rows[i][1] << " twice";
            std::istringstream names(rows[i][3]);
            std::size_t count = 0;
            for (std::string name; names >> name; ++count) {
                listed.insert(name);
                const auto part = std::find_if(parts.begin(), parts.end(), [&](const BoardPart& p) { return p.designator == name; });
                ASSERT_NE(part, parts.end());
                EXPECT_EQ(part->valueText, rows[i][1]) << label << " " << name;
            }
            EXPECT_EQ(rows[i][2], std::to_string(count));
        }
        EXPECT_EQ(listed.size(), parts.size()) << label;
        EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()).size(), parts.size()) << label;
        EXPECT_EQ(rows.back(), (std::vector<std::string>{"op-amp", "TL072", "8", "U1 U2 U3 U4 U5 U6 U7 U8"}));
    }
}

// The PDF is one a reader takes: poppler's pdftotext finds every designator
// and value in it, and the file name of the title with its odd characters.
TEST(Board, PdftotextReadsEveryDesignatorBackFromThePdf) {
    Design design;
    design.randomise(31, Parts::Mixed);
    const ScratchFolder scratch;
    const std::string pdf = scratch.file("eq.pdf");
    const std::string title = "Entw\xC3\xBCrfe (neu)\\eq.tsn";
    ASSERT_TRUE(writeDrawing(schematicDrawing(*design.engine, {}, title), DrawingFormat::Pdf, pdf).done());
    const std::string bytes = fileText(pdf);
    ASSERT_EQ(bytes.rfind("%PDF-1.4\n", 0), 0u);
    // The cross-reference table points at each object.
    const std::size_t startxref = std::stoul(bytes.substr(bytes.rfind("startxref\n") + 10));
    ASSERT_EQ(bytes.compare(startxref, 5, "xref\n"), 0);
    for (int object = 1; object <= 7; ++object) {
        const std::size_t entry = startxref + std::string("xref\n0 8\n").size() + 20 * static_cast<std::size_t>(object);
        const std::size_t offset = std::stoul(bytes.substr(entry, 10));
        EXPECT_EQ(bytes.compare(offset, std::to_string(object).size() + 6, std::to_string(object) + " 0 obj"), 0)
            << object;
    }

    const std::string command = std::string("'") + PDFTOTEXT_PATH + "' -enc UTF-8 '" + pdf + "' - 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string text;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, got);
    ASSERT_EQ(::pclose(pipe), 0) << PDFTOTEXT_PATH << " did not run: install the Debian package \""
                                 << PDFTOTEXT_PACKAGE << "\"\n" << text;
    std::istringstream words(text);
    const std::multiset<std::string> read{std::istream_iterator<std::string>(words), {}};
    for (const BoardPart& part : boardParts(*design.engine, {})) {
        EXPECT_TRUE(read.count(part.designator)) << part.designator << "\n" << text;
        if (part.kind != PartKind::OpAmp) {
            EXPECT_TRUE(read.count(part.valueText)) << part.valueText;
        }
    }
    EXPECT_NE(text.find("Entw\xC3\xBCrfe (neu)\\eq.tsn"), std::string::npos) << text;
}
