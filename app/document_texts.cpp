#include "document_texts.h"

#include <QCoreApplication>

namespace tessera {

namespace {
std::string text(const char* source) { return QCoreApplication::translate("Document", source).toStdString(); }

// `source` with %1 replaced by `name`.
std::string textNaming(const char* source, std::string_view name) {
    return QCoreApplication::translate("Document", source)
        .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())))
        .toStdString();
}
} // namespace

std::string startCaption() { return std::string(kProgramTitle); }

std::string documentCaption(std::string_view fileName) {
    return std::string(kProgramTitle) + " " + std::string(fileName);
}

std::string savePromptText(std::string_view fileName) {
    return textNaming(QT_TRANSLATE_NOOP("Document", " File %1 not saved! Save?"), fileName);
}

std::string overwritePromptText(std::string_view fileName) {
    return textNaming(QT_TRANSLATE_NOOP("Document", " File %1 exists! Overwrite?"), fileName);
}

std::string notLoadedText(std::string_view fileName) {
    return textNaming(QT_TRANSLATE_NOOP("Document",
                                        " File %1 was not loaded! Only configuration files ending in \"tsn\" can be opened."),
                      fileName);
}

std::string noPrinterText() {
    return text(QT_TRANSLATE_NOOP("Document", "No printer available! Please choose a printer or a PDF file with \"Printer Setup\"."));
}

std::string emptyPageText() { return text(QT_TRANSLATE_NOOP("Document", "The printer reports an empty page! Nothing was printed.")); }

std::string printerBusyText() { return text(QT_TRANSLATE_NOOP("Document", "A print job is running right now!")); }

const FileDialogLayout& fileDialogLayout(FileDialogKind kind) {
    static const FileDialogLayout open{
        QT_TRANSLATE_NOOP("FileDialog", "Open"), "*.tsn", QT_TRANSLATE_NOOP("FileDialog", "tsn Files (*.tsn)|*.tsn|all Files (*.*)|*.*"), "", true};
    static const FileDialogLayout saveAs{
        QT_TRANSLATE_NOOP("FileDialog", "Save as"), "*.tsn", QT_TRANSLATE_NOOP("FileDialog", "tsn Files ( *.tsn)|*.tsn|all Files (*.*)|*.*"), "tsn", false, true};
    static const FileDialogLayout import{
        QT_TRANSLATE_NOOP("FileDialog", "Import"), "*.tds;*.txt",
        QT_TRANSLATE_NOOP("FileDialog", "Tef Files (*.tds)|*.tds|MLSSA Files (*.txt)|*.txt|Frequency response (*.frd;*.txt;*.csv)|*.frd;*.txt;*.csv"),
        "", true};
    static const FileDialogLayout exportNetlist{
        QT_TRANSLATE_NOOP("FileDialog", "Export SPICE netlist"), "*.cir", QT_TRANSLATE_NOOP("FileDialog", "SPICE netlist (*.cir)|*.cir"), "cir", false, true};
    static const FileDialogLayout exportFrd{QT_TRANSLATE_NOOP("FileDialog", "Export curve as FRD"), "*.frd", QT_TRANSLATE_NOOP("FileDialog", "FRD file (*.frd)|*.frd"), "frd",
                                            false, true};
    // The fit's target curve: any file Import reads.
    static const FileDialogLayout targetCurve{QT_TRANSLATE_NOOP("FileDialog", "Target curve"), import.initialName, import.filter, "", true};
    static const FileDialogLayout schematicSvg{QT_TRANSLATE_NOOP("FileDialog", "Export schematic as SVG"), "*.svg", QT_TRANSLATE_NOOP("FileDialog", "SVG drawing (*.svg)|*.svg"),
                                               "svg", false, true};
    static const FileDialogLayout schematicPdf{QT_TRANSLATE_NOOP("FileDialog", "Export schematic as PDF"), "*.pdf", QT_TRANSLATE_NOOP("FileDialog", "PDF document (*.pdf)|*.pdf"),
                                               "pdf", false, true};
    static const FileDialogLayout partsList{QT_TRANSLATE_NOOP("FileDialog", "Export parts list"), "*.csv", QT_TRANSLATE_NOOP("FileDialog", "Parts list (*.csv)|*.csv"), "csv", false,
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
