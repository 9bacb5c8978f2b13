#include "parts_list.h"

#include "safe_save.h"
#include "section_parts.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace tessera {
namespace {

constexpr const char* kLineEnd = "\r\n";

std::string field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

void line(std::string& out, std::initializer_list<std::string> fields) {
    bool first = true;
    for (const std::string& f : fields) {
        if (!first) out += ',';
        out += field(f);
        first = false;
    }
    out += kLineEnd;
}

void perPart(std::string& out, const std::vector<BoardPart>& parts) {
    line(out, {"designator", "kind", "value", "section", "note"});
    for (const BoardPart& part : parts)
        line(out, {part.designator, partKindText(part.kind), part.valueText, std::to_string(part.section), part.note});
}

// As a buyer orders: resistors, capacitors, op-amps, each kind by rising
// value (op-amps by name), the designators of each value in board order.
void grouped(std::string& out, const std::vector<BoardPart>& parts) {
    using Key = std::tuple<PartKind, double, std::string>;
    std::map<Key, std::vector<std::string>> groups;
    for (const BoardPart& part : parts) groups[{part.kind, part.value, part.valueText}].push_back(part.designator);
    line(out, {"kind", "value", "count", "designators"});
    for (const auto& [key, designators] : groups) {
        std::string names;
        for (const std::string& name : designators) names += (names.empty() ? "" : " ") + name;
        line(out, {partKindText(std::get<0>(key)), std::get<2>(key), std::to_string(designators.size()), names});
    }
}

} // namespace

std::string partsListCsv(const std::vector<BoardPart>& parts, PartsListForm form) {
    std::string out;
    if (form == PartsListForm::Grouped)
        grouped(out, parts);
    else
        perPart(out, parts);
    return out;
}

std::optional<Message> partsListRefusal(const FilterEngine& engine) {
    if (const auto reason = unbuildableReason(circuitParts(engine)))
        return Message(kPartsListNotWritten).followedBy(*reason);
    return std::nullopt;
}

FileOutcome writePartsList(const FilterEngine& engine, const CircuitSettings& settings, PartsListForm form,
                           const std::string& fileName) {
    if (const auto reason = partsListRefusal(engine)) return FileOutcome::refusal(*reason);
    if (!replaceFile(fileName, partsListCsv(boardParts(engine, settings), form)))
        return FileOutcome::refusal(messages::cannotCreate(fileName));
    return FileOutcome::success();
}

} // namespace tessera
