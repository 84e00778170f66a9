// resources.h - the application's resources as data: string table,
// accelerators, menu, dialog templates, icon and version record.  The
// application registers one table at start-up (AfxSetResources); the
// framework reads the document string, the application title, the
// accelerators and the dialogs from it.
#pragma once

#include <cstdint>

struct ResString {
    unsigned id;
    const char* text;
};

struct ResAccelerator {
    unsigned mods;     // MOD_CTRL / MOD_SHIFT / MOD_ALT, all of which must be held
    unsigned key;      // KEY_* or upper-case letter
    unsigned command;  // WM_COMMAND id
};

struct ResMenuItem {
    const char* text;  // "&?" for a popup, item texts below it
    unsigned command;  // 0 for a popup
    int depth;         // 0 popup, 1 item
};

struct ResDialogItem {
    const char* kind;  // "ICON", "LTEXT", "DEFPUSHBUTTON"
    const char* text;  // text, or the icon's id as text
    int id;
    int x, y, width, height;  // dialog units
};

struct ResDialog {
    unsigned id;
    const char* caption;
    int width, height;  // dialog units
    const char* fontName;
    int pointSize;
    const ResDialogItem* items;
    int itemCount;
};

struct ResVersion {
    unsigned short fileVersion[4];
    unsigned short productVersion[4];
    const char* fileDescription;
    const char* internalName;
    const char* originalFileName;
    const char* productName;
};

struct ResIcon {
    unsigned id;
    int width, height;
    const std::uint32_t* pixels;  // 0xAARRGGBB, rows top to bottom
};

struct ResourceTable {
    unsigned language;  // 0x0407
    const ResString* strings;
    int stringCount;
    unsigned acceleratorId;
    const ResAccelerator* accelerators;
    int acceleratorCount;
    unsigned menuId;
    const ResMenuItem* menu;
    int menuCount;
    const ResDialog* dialogs;
    int dialogCount;
    const ResIcon* icon;
    const ResVersion* version;
};

void AfxSetResources(const ResourceTable* table);
const ResourceTable* AfxGetResources();
// The string with this id, or null.
const char* AfxLoadString(unsigned id);
const ResDialog* AfxFindDialog(unsigned id);
// The command an accelerator of the table gives for this key, or 0.
unsigned AfxTranslateAccelerator(unsigned key, unsigned mods);
