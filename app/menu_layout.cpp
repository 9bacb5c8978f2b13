#include "menu_layout.h"

#include <stdexcept>

namespace tessera {

const std::vector<MenuLayout>& mainMenuLayout() {
    using C = MenuCommand;
    static const std::vector<MenuLayout> menus = {
        {"File1", "&File", "Dateibefehle",
         {
             {C::New, "FileNewItem", "&New", "Neue Datei erzeugen"},
             {C::Open, "FileOpenItem", "&Open", "Existierende Datei öffnen"},
             {C::Import, "FileImportItem", "&Import", "Frequenzgang importieren"},
             {C::Save, "FileSaveItem", "&Save", "Aktuelle Datei speichern", false, true},
             {C::SaveAs, "FileSaveAsItem", "Save &as...", "Aktuelle Datei speichern unter...", false, true},
             {C::Print, "Print1", "&Print", "aktuelle Einstellungen drucken", true},
             {C::PrinterSetup, "PrinterSetup1", "P&rinter Setup", "Drucker Einrichten"},
             {C::Exit, "FileExitItem", "&Exit", "Anwendung beenden", true},
         }},
        {"Edit1", "&Edit", "Bearbeiten",
         {
             {C::Undo, "UndoItem", "&Undo", "Letzte Änderung zurücknehmen"},
             {C::Redo, "RedoItem", "&Redo", "Zurückgenommene Änderung wiederholen"},
             {C::Copy, "CopyItem", "&Copy", "In die Zwischenablage kopieren", true, true},
         }},
        {"Zoom1", "&Zoom", "",
         {
             {C::ZoomIn, "Zoomin1", "Zoom &in", ""},
             {C::ZoomOut, "Zoomout1", "Zoom &out", ""},
         }},
        {"Tools1", "&Tools", "Werkzeuge",
         {
             {C::FitToImport, "FitItem", "&Fit to Import…", "Filter an den importierten Frequenzgang anpassen"},
             {C::ExportNetlist, "ExportNetlistItem", "Export &SPICE netlist…",
              "Schaltung als SPICE-Netzliste exportieren", true},
             {C::OpAmp, "OpAmpItem", "&Op-amp…", "Operationsverstärker wählen"},
             {C::Tolerances, "TolerancesItem", "&Tolerances…", "Bauteiltoleranzen untersuchen"},
             {C::NoiseHeadroom, "NoiseItem", "&Noise and Headroom…", "Rauschen und Aussteuerungsreserve berechnen"},
             {C::Schematic, "SchematicItem", "&Schematic…", "Schaltplan der Schaltung zeigen", true},
             {C::ExportPartsList, "ExportPartsListItem", "Export &parts list…", "Stückliste als CSV-Datei exportieren"},
             {C::ExportFrd, "ExportFrdItem", "Export curve as &FRD…", "Kurve des aktiven Fensters als FRD-Datei exportieren",
              true, true},
         }},
        {"Window1", "&Window", "Befehle zum Anordnen von Fenstern",
         {
             {C::Cascade, "WindowCascadeItem", "&Cascade", "Fenster überlappend anordnen", false, true},
             {C::Tile, "WindowTileItem", "&Tile", "Fenster nicht überlappend anordnen", false, true},
             {C::Arrange, "WindowArrangeItem", "&Arrange",
              "Fenstersymbole am unteren Rand des Hauptfensters anordnen", false, true},
             {C::Minimize, "WindowMinimizeItem", "&Minimize", "Alle Fenster verkleinern", false, true},
             {C::Configuration, "Einstellungen1", "Con&figuration", "Filter-Konfiguration anzeigen", true},
         },
         true},
        {"Help1", "&About", "Hilfethemen",
         {
             {C::About, "HelpAboutItem", "&Info", "About"},
         }},
    };
    return menus;
}

const MenuItemLayout& menuItem(MenuCommand command) {
    for (const MenuLayout& menu : mainMenuLayout())
        for (const MenuItemLayout& item : menu.items)
            if (item.command == command) return item;
    throw std::logic_error("menu command without an entry");
}

} // namespace tessera
