#include "document_texts.h"

namespace tessera {

std::string startCaption() { return std::string(kProgramTitle); }

std::string documentCaption(std::string_view fileName) {
    return std::string(kProgramTitle) + " " + std::string(fileName);
}

std::string savePromptText(std::string_view fileName) {
    return " File " + std::string(fileName) + " not saved! Save?";
}

std::string overwritePromptText(std::string_view fileName) {
    return " File " + std::string(fileName) + " exists! Overwrite?";
}

std::string notLoadedText(std::string_view fileName) {
    return " File " + std::string(fileName) +
           " was not loaded! Only configuration files ending in \"tsn\" can be opened.";
}

std::string noPrinterText() {
    return "Kein Drucker verfügbar! Bitte mit \"Printer Setup\" einen Drucker oder eine PDF-Datei wählen.";
}

std::string emptyPageText() { return "Der Drucker meldet eine leere Seite! Es wurde nichts gedruckt."; }

std::string printerBusyText() { return "Es läuft gerade eine Druckerausgabe!"; }

const FileDialogLayout& fileDialogLayout(FileDialogKind kind) {
    static const FileDialogLayout open{
        "Open", "*.tsn", "tsn Files (*.tsn)|*.tsn|all Files (*.*)|*.*", "", true};
    static const FileDialogLayout saveAs{
        "Save as", "*.tsn", "tsn Files ( *.tsn)|*.tsn|all Files (*.*)|*.*", "tsn", false, true};
    static const FileDialogLayout import{"Import", "*.tds;*.txt",
                                         "Tef Files (*.tds)|*.tds|MLSSA Files (*.txt)|*.txt|"
                                         "Frequency response (*.frd;*.txt;*.csv)|*.frd;*.txt;*.csv",
                                         "", true};
    static const FileDialogLayout exportNetlist{
        "Export SPICE netlist", "*.cir", "SPICE netlist (*.cir)|*.cir", "cir", false, true};
    static const FileDialogLayout exportFrd{"Export curve as FRD", "*.frd", "FRD file (*.frd)|*.frd", "frd",
                                            false, true};
    // The fit's target curve: any file Import reads.
    static const FileDialogLayout targetCurve{"Target curve", import.initialName, import.filter, "", true};
    static const FileDialogLayout schematicSvg{"Export schematic as SVG", "*.svg", "SVG drawing (*.svg)|*.svg",
                                               "svg", false, true};
    static const FileDialogLayout schematicPdf{"Export schematic as PDF", "*.pdf", "PDF document (*.pdf)|*.pdf",
                                               "pdf", false, true};
    static const FileDialogLayout partsList{"Export parts list", "*.csv", "Parts list (*.csv)|*.csv", "csv", false,
                                            true};
    switch (kind) {
    case FileDialogKind::Open: return open;
    case FileDialogKind::SaveAs: return saveAs;
    case FileDialogKind::Import: return import;
    case FileDialogKind::ExportNetlist: return exportNetlist;
    case FileDialogKind::ExportFrd: return exportFrd;
    case FileDialogKind::TargetCurve: return targetCurve;
    case FileDialogKind::ExportSchematicSvg: return schematicSvg;
    case FileDialogKind::ExportSchematicPdf: return schematicPdf;
    case FileDialogKind::ExportPartsList: return partsList;
    }
    return open;
}

std::vector<NameFilter> splitFilter(std::string_view filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        const std::size_t bar = filter.find('|', start);
        const std::size_t end = bar == std::string_view::npos ? filter.size() : bar;
        parts.emplace_back(filter.substr(start, end - start));
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    std::vector<NameFilter> result;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) result.push_back({parts[i], parts[i + 1]});
    return result;
}

} // namespace tessera
