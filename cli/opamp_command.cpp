// tessera-design opamp CONFIG.tsn --gbw HZ: the table of Tools > Op-amp.

#include "circuit_input.h"
#include "commands.h"
#include "design_session.h"
#include "opamp_table.h"

#include <algorithm>
#include <ostream>

namespace tessera::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: tessera-design opamp CONFIG.tsn --gbw HZ\n"
    "Prints for each section of CONFIG.tsn the centre frequency, Q and gain that its parts\n"
    "give with a single-pole op-amp of gain-bandwidth HZ (10000 to 1E12), next to the\n"
    "ideal ones, and the lowest gain-bandwidth that keeps f and Q within 1 % of ideal.\n";

// Columns padded to their widest cell.
void printTable(std::ostream& out, const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> width;
    for (const auto& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (width.size() <= c) width.push_back(0);
            width[c] = std::max(width[c], row[c].size());
        }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size()) line += std::string(width[c] - row[c].size() + 2, ' ');
        }
        out << line << "\n";
    }
}

int runOpAmp(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Command& self = command("opamp");
    std::string error;
    const Arguments args = Arguments::parse(words, {{"gbw"}, {}}, error);
    if (!error.empty()) return usageError(self, error, err);
    if (args.positional().size() != 1) return usageError(self, "name one configuration file", err);
    const auto gbwText = args.value("gbw");
    if (!gbwText) return usageError(self, "--gbw HZ is required", err);
    const Checked<double> gbw = checkGbw(*gbwText);
    if (!gbw.ok() || *gbw.value <= 0) return usageError(self, kBadGbw, err);

    DesignSession session;
    const std::string& config = args.positional().front();
    const FileOutcome opened = session.open(config);
    if (!opened.done()) return reportFileFailure(self.name, opened, config, "a configuration file (.tsn)", err);

    std::vector<std::vector<std::string>> rows = {opAmpTableHeadings()};
    for (auto& row : opAmpTableCells(opAmpTable(session.engine(), *gbw.value), '.')) rows.push_back(row);
    out << "single-pole op-amp, gain-bandwidth " << *gbwText << " Hz\n";
    printTable(out, rows);
    return kSuccess;
}

} // namespace

Command opAmpCommand() {
    return {"opamp", "the sections with a real op-amp of a given gain-bandwidth", kUsage, &runOpAmp};
}

} // namespace tessera::cli
