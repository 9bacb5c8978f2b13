#include "schematic_files.h"

#include "safe_save.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace tessera {
namespace {

using namespace drawing;

// The base-14 fonts are set in WinAnsiEncoding: ASCII and Latin-1 as they
// are, a few typographic characters at their places, anything else "?".
unsigned char winAnsi(char32_t c) {
    if ((c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
    switch (c) {
    case U'\u20AC': return 0x80;
    case U'\u2026': return 0x85;
    case U'\u2018': return 0x91;
    case U'\u2019': return 0x92;
    case U'\u201C': return 0x93;
    case U'\u201D': return 0x94;
    case U'\u2022': return 0x95;
    case U'\u2013': return 0x96;
    case U'\u2014': return 0x97;
    default: return '?';
    }
}

// A PDF string literal: parentheses and backslashes escaped, every byte
// outside printable ASCII in octal.
std::string pdfString(const std::string& text) {
    std::string out = "(";
    for (char32_t c : codePoints(text)) {
        const unsigned char b = winAnsi(c);
        if (b == '(' || b == ')' || b == '\\') {
            out += '\\';
            out += static_cast<char>(b);
        } else if (b >= 0x20 && b < 0x7F) {
            out += static_cast<char>(b);
        } else {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", b);
            out += octal;
        }
    }
    return out + ")";
}

class Page {
public:
    explicit Page(double height) : height_(height) {}
    std::string point(Point p) const { return coordinateText(p.x) + " " + coordinateText(height_ - p.y); }
    double height() const { return height_; }

private:
    double height_;
};

// Four cubic Beziers, each a quarter circle.
std::string circlePath(const Page& page, const Circle& c) {
    constexpr double k = 0.5522847498;
    const double r = c.radius;
    const Point o = c.centre;
    const auto p = [&](double dx, double dy) { return page.point({o.x + dx, o.y + dy}); };
    std::string out = p(r, 0) + " m\n";
    out += p(r, k * r) + " " + p(k * r, r) + " " + p(0, r) + " c\n";
    out += p(-k * r, r) + " " + p(-r, k * r) + " " + p(-r, 0) + " c\n";
    out += p(-r, -k * r) + " " + p(-k * r, -r) + " " + p(0, -r) + " c\n";
    out += p(k * r, -r) + " " + p(r, -k * r) + " " + p(r, 0) + " c\n";
    return out;
}

std::string contents(const Drawing& d) {
    const Page page(d.height);
    std::string out = "1 J 1 j 0 G 0 g\n";
    for (const Polyline& line : d.lines) {
        if (line.points.empty()) continue;
        out += coordinateText(line.width) + " w\n" + page.point(line.points.front()) + " m\n";
        for (std::size_t i = 1; i < line.points.size(); ++i) out += page.point(line.points[i]) + " l\n";
        out += line.closed ? "s\n" : "S\n";
    }
    for (const Circle& c : d.circles) {
        if (c.filled) {
            out += circlePath(page, c) + "f\n";
        } else {
            out += "0.9 w 1 g\n" + circlePath(page, c) + "b\n0 g\n";
        }
    }
    for (const Text& t : d.texts) {
        double x = t.at.x;
        const double width = textWidth(t.text, t.size);
        if (t.anchor == Anchor::Middle) x -= width / 2;
        if (t.anchor == Anchor::End) x -= width;
        out += "BT " + std::string(t.bold ? "/F2 " : "/F1 ") + coordinateText(t.size) + " Tf " + page.point({x, t.at.y}) +
               " Td " + pdfString(t.text) + " Tj ET\n";
    }
    return out;
}

} // namespace

std::string pdfBytes(const Drawing& d) {
    const std::string stream = contents(d);
    std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + coordinateText(d.width) + " " + coordinateText(d.height) +
            "] /Resources << /Font << /F1 4 0 R /F2 5 0 R >> >> /Contents 6 0 R >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>",
        "<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream + "endstream",
        "<< /Title " + pdfString(d.title) + " /Producer (TESSERA) >>",
    };
    // The binary comment line tells transfer programs the file is binary.
    std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(out.size());
        out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = out.size();
    out += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (std::size_t offset : offsets) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        out += entry;
    }
    out += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R /Info 7 0 R >>\n";
    out += "startxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return out;
}

std::optional<DrawingFormat> drawingFormatFor(std::string_view fileName) {
    const auto endsWith = [&](std::string_view ending) {
        if (fileName.size() < ending.size()) return false;
        const std::string_view tail = fileName.substr(fileName.size() - ending.size());
        return std::equal(tail.begin(), tail.end(), ending.begin(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == b;
        });
    };
    if (endsWith(".svg")) return DrawingFormat::Svg;
    if (endsWith(".pdf")) return DrawingFormat::Pdf;
    return std::nullopt;
}

FileOutcome writeDrawing(const Drawing& d, DrawingFormat format, const std::string& fileName) {
    const std::string bytes = format == DrawingFormat::Svg ? svgText(d) : pdfBytes(d);
    if (!replaceFile(fileName, bytes)) return FileOutcome::refusal(messages::cannotCreate(fileName));
    return FileOutcome::success();
}

} // namespace tessera
