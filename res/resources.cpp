// resources.cpp - the application's resources (language German, 0x0407):
// string table, accelerators, menu, the About dialog, the icon and the
// version record.
#include <array>
#include <cstdint>

#include "platform/afx.h"
#include "res/resource.h"

namespace {

const ResString kStrings[] = {
    {IDR_MAINFRAME, "\nPlane Longitudinal/Transversal Waves\n\n\n\nOsk.Document\nOsk Document"},
    {AFX_IDS_APP_TITLE, "sorel_dunes"},
};

// All virtual-key entries; only New, Open and Save have handlers.
const ResAccelerator kAccelerators[] = {
    {MOD_CTRL, 'N', ID_FILE_NEW},          {MOD_CTRL, 'O', ID_FILE_OPEN},
    {MOD_CTRL, 'S', ID_FILE_SAVE},         {MOD_CTRL, 'Z', ID_EDIT_UNDO},
    {MOD_ALT, KEY_BACKSPACE, ID_EDIT_UNDO}, {MOD_CTRL, 'X', ID_EDIT_CUT},
    {MOD_SHIFT, KEY_DELETE, ID_EDIT_CUT},  {MOD_CTRL, 'C', ID_EDIT_COPY},
    {MOD_CTRL, KEY_INSERT, ID_EDIT_COPY},  {MOD_CTRL, 'V', ID_EDIT_PASTE},
    {MOD_SHIFT, KEY_INSERT, ID_EDIT_PASTE}, {0, KEY_F6, ID_NEXT_PANE},
    {MOD_SHIFT, KEY_F6, ID_PREV_PANE},
};

const ResMenuItem kMenu[] = {
    {"&?", 0, 0},
    {"Info", ID_APP_ABOUT, 1},
};

const ResDialogItem kAboutItems[] = {
    {"ICON", "128", -1, 137, 17, 20, 20},
    {"LTEXT", "lumo_kat Version 1.0", -1, 8, 15, 152, 8},
    {"LTEXT", "Ebene Wellen auf einer Kette von 65 Teilchen", -1, 5, 29, 119, 8},
    {"DEFPUSHBUTTON", "OK", IDOK, 179, 19, 50, 14},
};

const ResDialog kDialogs[] = {
    {IDD_ABOUTBOX, "About lumo_kat", 242, 53, "MS Sans Serif", 8, kAboutItems,
     static_cast<int>(std::size(kAboutItems))},
};

// The icon: a chain of particles (blue) displaced by a wave, the exciter
// (red) at its left end, the rest line (grey), in a navy frame.
constexpr const char* kIconArt[32] = {
    "................................",
    "..KKKKKKKKKKKKKKKKKKKKKKKKKKKK..",
    ".KKwwwwwwwwwwwwwwwwwwwwwwwwwwKK.",
    ".KwwwwwwwwwwwwwwwwwwwwwwwwwwwwK.",
    ".KwwwwwwwwwwwwwwwwwwwwwwwwwwwwK.",
    ".KwwwwwwwwwwwwwwwwwwwwwwwwwwwwK.",
    ".KwwwwwwwwwwwwwwwwwwwwwwwwwwwwK.",
    ".KwwwwwwwwwwwwwwwwwwwwwwwwwwwwK.",
    ".KwwRRwwwwwwwBBwwwwwwwwwwwwwwwK.",
    ".KwwRRwwwwwwwBBwwwwwwwwwwwwwwwK.",
    ".KwwRRwwwwBBwBBwBBwwwwwwwwwwwwK.",
    ".KwwRRwwwwBBwwwwBBwwwwwwwwwwwwK.",
    ".KwwRRwwwwBBwwwwBBwwwwwwwwwwwwK.",
    ".KwwRRwwwwwwwwwwwwwwwwwwwwwwwwK.",
    ".KwwRRwwwwwwwwwwwwwwwwwwwwwwwwK.",
    ".KwwRRwBBwwwwwwwwwwBBwwwwwwwwwK.",
    ".KwwRRgBBggggggggggBBggggggggwK.",
    ".KwwRRwBBwwwwwwwwwwBBwwwwwwwwwK.",
    ".KwwRRwwwwwwwwwwwwwwwwwwwwwwwwK.",
    ".KwwRRwwwwwwwwwwwwwwwwwwwwwwwwK.",
    ".KwwRRwwwwwwwwwwwwwwwwBBwwwwBBK.",
    ".KwwRRwwwwwwwwwwwwwwwwBBwwwwBBK.",
    ".KwwRRwwwwwwwwwwwwwwwwBBwBBwBBK.",
    ".KwwRRwwwwwwwwwwwwwwwwwwwBBwwwK.",
    ".KwwRRwwwwwwwwwwwwwwwwwwwBBwwwK.",
    ".KwwwwwwwwwwwwwwwwwwwwwwwwwwwwK.",
    ".KwwwwwwwwwwwwwwwwwwwwwwwwwwwwK.",
    ".KwwwwwwwwwwwwwwwwwwwwwwwwwwwwK.",
    ".KwwwwwwwwwwwwwwwwwwwwwwwwwwwwK.",
    ".KKwwwwwwwwwwwwwwwwwwwwwwwwwwKK.",
    "..KKKKKKKKKKKKKKKKKKKKKKKKKKKK..",
    "................................",
};

constexpr std::uint32_t IconColour(char c) {
    switch (c) {
        case 'K': return 0xFF000080u;  // navy
        case 'w': return 0xFFFFFFFFu;  // white
        case 'R': return 0xFFF72D00u;  // red-orange
        case 'B': return 0xFF0000FFu;  // blue
        case 'g': return 0xFFA0A0A0u;  // grey
        default: return 0x00000000u;   // transparent
    }
}

constexpr std::size_t kIconSide = 32;
using IconPixels = std::array<std::uint32_t, kIconSide * kIconSide>;

constexpr IconPixels MakeIcon() {
    IconPixels pixels{};
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) pixels[static_cast<std::size_t>(y) * 32 + x] = IconColour(kIconArt[y][x]);
    }
    return pixels;
}

constexpr IconPixels kIconPixels = MakeIcon();

const ResIcon kIcon = {IDR_MAINFRAME, 32, 32, kIconPixels.data()};

// File and product version: the project's (app/CMakeLists.txt).
const ResVersion kVersion = {
    {OSK_VERSION_RECORD}, {OSK_VERSION_RECORD}, "MFC-Anwendung tarvo_minel", "osk", "osk.EXE", "Anwendung osk",
};

}  // namespace

const ResourceTable kOskResources = {
    0x0407,
    kStrings,
    static_cast<int>(std::size(kStrings)),
    IDR_MAINFRAME,
    kAccelerators,
    static_cast<int>(std::size(kAccelerators)),
    IDR_MAINFRAME,
    kMenu,
    static_cast<int>(std::size(kMenu)),
    kDialogs,
    static_cast<int>(std::size(kDialogs)),
    &kIcon,
    &kVersion,
};
