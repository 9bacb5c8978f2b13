#pragma once
// The frame window's menu as data: object names, captions with their access
// keys, and the hints that the status bar shows. The window builds its menu
// bar from this table and nothing else. Captions and hints are the English
// source texts; the window shows them through the translation context
// kMenuTextContext.

#include <string_view>
#include <vector>

namespace tessera {

inline constexpr const char* kMenuTextContext = "Menu";

enum class MenuCommand {
    New, Open, Import, Save, SaveAs, Print, PrinterSetup, Exit,
    Undo, Redo, Copy, ZoomIn, ZoomOut,
    FitToImport, ExportNetlist, OpAmp, Tolerances, NoiseHeadroom, Schematic, ExportPartsList, ExportFrd,
    Cascade, Tile, Arrange, Minimize, Configuration,
    LanguageEnglish, LanguageGerman,
    About,
};

struct MenuItemLayout {
    MenuCommand command;
    std::string_view objectName;
    std::string_view caption;
    std::string_view hint; // empty: no hint
    bool separatorBefore = false;
    // Enabled only while the frame has at least one child window.
    bool needsChildWindow = false;
    // A choice with a check mark (the Language menu's).
    bool checkable = false;
};

struct MenuLayout {
    std::string_view objectName;
    std::string_view caption;
    std::string_view hint;
    std::vector<MenuItemLayout> items;
    // The frame lists its child windows at the end of this menu.
    bool listsWindows = false;
};

const std::vector<MenuLayout>& mainMenuLayout();

// The entry of `command` in the table.
const MenuItemLayout& menuItem(MenuCommand command);

} // namespace tessera
