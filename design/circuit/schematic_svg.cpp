#include "schematic_files.h"


namespace tessera {
namespace {

using namespace drawing;

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : validUtf8(text)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            // XML allows no other control characters than tab and line ends.
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
                out += ' ';
            else
                out += c;
        }
    }
    return out;
}

const char* anchorName(Anchor anchor) {
    switch (anchor) {
    case Anchor::Start: return "start";
    case Anchor::Middle: return "middle";
    case Anchor::End: return "end";
    }
    return "start";
}

const char* roleName(TextRole role) {
    switch (role) {
    case TextRole::Title: return "title";
    case TextRole::Heading: return "heading";
    case TextRole::Designator: return "designator";
    case TextRole::Value: return "value";
    case TextRole::Label: return "label";
    }
    return "label";
}

} // namespace

std::string svgText(const Drawing& d) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + coordinateText(d.width) + "pt\" height=\"" +
           coordinateText(d.height) + "pt\" viewBox=\"0 0 " + coordinateText(d.width) + " " + coordinateText(d.height) + "\">\n";
    out += "<title>" + escaped(d.title) + "</title>\n";
    out += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    out += "<g fill=\"none\" stroke=\"black\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
    for (const Polyline& line : d.lines) {
        out += line.closed ? "<polygon" : "<polyline";
        out += " stroke-width=\"" + coordinateText(line.width) + "\" points=\"";
        for (std::size_t i = 0; i < line.points.size(); ++i)
        {
            if (i > 0) out += ' ';
            out += coordinateText(line.points[i].x);
            out += ',';
            out += coordinateText(line.points[i].y);
        }
        out += "\"/>\n";
    }
    for (const Circle& c : d.circles)
        out += "<circle cx=\"" + coordinateText(c.centre.x) + "\" cy=\"" + coordinateText(c.centre.y) + "\" r=\"" + coordinateText(c.radius) +
               "\"" + (c.filled ? " fill=\"black\" stroke=\"none\"" : " stroke-width=\"0.9\" fill=\"white\"") + "/>\n";
    out += "</g>\n";
    out += "<g font-family=\"Helvetica, Arial, sans-serif\" fill=\"black\">\n";
    for (const Text& t : d.texts) {
        out += "<text class=\"";
        out += roleName(t.role);
        out += '"';
        if (!t.part.empty()) out += " data-part=\"" + escaped(t.part) + "\"";
        out += " x=\"" + coordinateText(t.at.x) + "\" y=\"" + coordinateText(t.at.y) + "\" font-size=\"" + coordinateText(t.size) + "\"";
        if (t.anchor != Anchor::Start) {
            out += " text-anchor=\"";
            out += anchorName(t.anchor);
            out += '"';
        }
        if (t.bold) out += " font-weight=\"bold\"";
        out += '>';
        out += escaped(t.text);
        out += "</text>\n";
    }
    out += "</g>\n</svg>\n";
    return out;
}

} // namespace tessera
