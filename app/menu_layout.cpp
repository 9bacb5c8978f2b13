#include "menu_layout.h"

#include <QtGlobal>

#include <stdexcept>

namespace tessera {

const std::vector<MenuLayout>& mainMenuLayout() {
    using C = MenuCommand;
    static const std::vector<MenuLayout> menus = {
        {"File1", QT_TRANSLATE_NOOP("Menu", "&File"), QT_TRANSLATE_NOOP("Menu", "File commands"),
         {
             {C::New, "FileNewItem", QT_TRANSLATE_NOOP("Menu", "&New"), QT_TRANSLATE_NOOP("Menu", "Create a new file")},
             {C::Open, "FileOpenItem", QT_TRANSLATE_NOOP("Menu", "&Open"), QT_TRANSLATE_NOOP("Menu", "Open an existing file")},
             {C::Import, "FileImportItem", QT_TRANSLATE_NOOP("Menu", "&Import"), QT_TRANSLATE_NOOP("Menu", "Import a frequency response")},
             {C::Save, "FileSaveItem", QT_TRANSLATE_NOOP("Menu", "&Save"), QT_TRANSLATE_NOOP("Menu", "Save the current file"), false, true},
             {C::SaveAs, "FileSaveAsItem", QT_TRANSLATE_NOOP("Menu", "Save &as..."), QT_TRANSLATE_NOOP("Menu", "Save the current file under another name..."), false, true},
             {C::Print, "Print1", QT_TRANSLATE_NOOP("Menu", "&Print"), QT_TRANSLATE_NOOP("Menu", "Print the current settings"), true},
             {C::PrinterSetup, "PrinterSetup1", QT_TRANSLATE_NOOP("Menu", "P&rinter Setup"), QT_TRANSLATE_NOOP("Menu", "Set up the printer")},
             {C::Exit, "FileExitItem", QT_TRANSLATE_NOOP("Menu", "&Exit"), QT_TRANSLATE_NOOP("Menu", "Quit the application"), true},
         }},
        {"Edit1", QT_TRANSLATE_NOOP("Menu", "&Edit"), QT_TRANSLATE_NOOP("Menu", "Editing commands"),
         {
             {C::Undo, "UndoItem", QT_TRANSLATE_NOOP("Menu", "&Undo"), QT_TRANSLATE_NOOP("Menu", "Take back the last change")},
             {C::Redo, "RedoItem", QT_TRANSLATE_NOOP("Menu", "&Redo"), QT_TRANSLATE_NOOP("Menu", "Make the change taken back again")},
             {C::Copy, "CopyItem", QT_TRANSLATE_NOOP("Menu", "&Copy"), QT_TRANSLATE_NOOP("Menu", "Copy to the clipboard"), true, true},
         }},
        {"Zoom1", QT_TRANSLATE_NOOP("Menu", "&Zoom"), "",
         {
             {C::ZoomIn, "Zoomin1", QT_TRANSLATE_NOOP("Menu", "Zoom &in"), ""},
             {C::ZoomOut, "Zoomout1", QT_TRANSLATE_NOOP("Menu", "Zoom &out"), ""},
         }},
        {"Tools1", QT_TRANSLATE_NOOP("Menu", "&Tools"), QT_TRANSLATE_NOOP("Menu", "Tools"),
         {
             {C::FitToImport, "FitItem", QT_TRANSLATE_NOOP("Menu", "&Fit to Import…"), QT_TRANSLATE_NOOP("Menu", "Fit the filters to the imported frequency response")},
             {C::ExportNetlist, "ExportNetlistItem", QT_TRANSLATE_NOOP("Menu", "Export &SPICE netlist…"),
              QT_TRANSLATE_NOOP("Menu", "Export the circuit as a SPICE netlist"), true},
             {C::OpAmp, "OpAmpItem", QT_TRANSLATE_NOOP("Menu", "&Op-amp…"), QT_TRANSLATE_NOOP("Menu", "Choose the op-amp")},
             {C::Tolerances, "TolerancesItem", QT_TRANSLATE_NOOP("Menu", "&Tolerances…"), QT_TRANSLATE_NOOP("Menu", "Examine the part tolerances")},
             {C::NoiseHeadroom, "NoiseItem", QT_TRANSLATE_NOOP("Menu", "&Noise and Headroom…"), QT_TRANSLATE_NOOP("Menu", "Compute noise and headroom")},
             {C::Schematic, "SchematicItem", QT_TRANSLATE_NOOP("Menu", "&Schematic…"), QT_TRANSLATE_NOOP("Menu", "Show the circuit's schematic"), true},
             {C::ExportPartsList, "ExportPartsListItem", QT_TRANSLATE_NOOP("Menu", "Export &parts list…"), QT_TRANSLATE_NOOP("Menu", "Export the parts list as a CSV file")},
             {C::ExportFrd, "ExportFrdItem", QT_TRANSLATE_NOOP("Menu", "Export curve as &FRD…"), QT_TRANSLATE_NOOP("Menu", "Export the active window's curve as an FRD file"),
              true, true},
         }},
        {"Window1", QT_TRANSLATE_NOOP("Menu", "&Window"), QT_TRANSLATE_NOOP("Menu", "Commands to arrange the windows"),
         {
             {C::Cascade, "WindowCascadeItem", QT_TRANSLATE_NOOP("Menu", "&Cascade"), QT_TRANSLATE_NOOP("Menu", "Arrange the windows overlapping"), false, true},
             {C::Tile, "WindowTileItem", QT_TRANSLATE_NOOP("Menu", "&Tile"), QT_TRANSLATE_NOOP("Menu", "Arrange the windows side by side"), false, true},
             {C::Arrange, "WindowArrangeItem", QT_TRANSLATE_NOOP("Menu", "&Arrange"),
              QT_TRANSLATE_NOOP("Menu", "Arrange the window icons along the bottom of the main window"), false, true},
             {C::Minimize, "WindowMinimizeItem", QT_TRANSLATE_NOOP("Menu", "&Minimize"), QT_TRANSLATE_NOOP("Menu", "Minimize all windows"), false, true},
             {C::Configuration, "Einstellungen1", QT_TRANSLATE_NOOP("Menu", "Con&figuration"), QT_TRANSLATE_NOOP("Menu", "Show the filter configuration"), true},
         },
         true},
        {"Language1", QT_TRANSLATE_NOOP("Menu", "&Language"), QT_TRANSLATE_NOOP("Menu", "Choose the language of the windows"),
         {
             {C::LanguageEnglish, "LanguageEnglishItem", QT_TRANSLATE_NOOP("Menu", "English"),
              QT_TRANSLATE_NOOP("Menu", "English texts from the next start on"), false, false, true},
             {C::LanguageGerman, "LanguageGermanItem", QT_TRANSLATE_NOOP("Menu", "Deutsch"),
              QT_TRANSLATE_NOOP("Menu", "German texts from the next start on"), false, false, true},
         }},
        {"Help1", QT_TRANSLATE_NOOP("Menu", "&About"), QT_TRANSLATE_NOOP("Menu", "Help topics"),
         {
             {C::About, "HelpAboutItem", QT_TRANSLATE_NOOP("Menu", "&Info"), QT_TRANSLATE_NOOP("Menu", "About")},
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
