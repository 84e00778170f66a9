// key_table.cpp - every key of the program, once.
#include "app/key_table.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "app/catalogue.h"
#include "platform/types.h"

namespace {

// Key names in the hint that are not letters are words of the language:
// they go through the catalogue.
constexpr KeyRow kRows[] = {
    {KeyGroup::Button, "L / T", N_("start screen: Longitudinal / Transversal wave"), "L / T", N_("choose the wave")},
    {KeyGroup::Button, "Space, PageUp", N_("Go / Stop"), N_("space"), N_("Go / Stop")},
    {KeyGroup::Button, "N, Right, PageDown", N_("Next / Single (one frame)"), N_("N or \u2192"), N_("Next")},
    {KeyGroup::Button, "R", N_("Restart the wave"), "R", N_("Restart")},
    {KeyGroup::Button, "B, Backspace", N_("Back to the start screen"), "B", N_("Back")},
    {KeyGroup::Button, "Q, Escape", N_("Quit"), "Q", N_("Quit")},
    {KeyGroup::Aid, "M", N_("marked particles: none, the 12th, every sixth (a click on a particle marks it)"), "M",
     N_("marks")},
    {KeyGroup::Aid, "W", N_("one wavelength: the bracket \u03bb and \u03bb, T, v"), "W", N_("wavelength")},
    {KeyGroup::Aid, "G", N_("the snapshot graph of the displacements under the chain"), "G", N_("graph")},
    {KeyGroup::Aid, "C", N_("both waves in step, one above the other"), "C", N_("both waves")},
    {KeyGroup::Shell, "F11, F", N_("full screen on/off"), "F11", N_("full screen")},
    {KeyGroup::Shell, "Z", N_("fit the page to the window on/off"), nullptr, nullptr},
    {KeyGroup::Shell, "-, +", N_("slower / faster animation (down to 1/8 speed)"), "\u2212 / +", N_("slower / faster")},
    {KeyGroup::Shell, "F1, ?", N_("help: a message box listing the buttons and keys"), N_("F1 or ?"), N_("all keys")},
};

// Second keys of a button, and the key whose button they press.
struct KeyAlias {
    unsigned key;
    unsigned button;
};
constexpr KeyAlias kAliases[] = {
    {KEY_RIGHT, 'N'}, {KEY_PAGEDOWN, 'N'}, {KEY_PAGEUP, ' '}, {KEY_BACKSPACE, 'B'}, {KEY_ESCAPE, 'Q'},
};

// A terminal's column of key names, and its width.
constexpr std::size_t kKeyColumn = 20;
constexpr std::size_t kTerminalWidth = 100;

}  // namespace

std::span<const KeyRow> KeyTable() { return kRows; }

unsigned ButtonKeyFor(unsigned key) {
    const auto* alias =
        std::find_if(std::begin(kAliases), std::end(kAliases), [key](const KeyAlias& a) { return a.key == key; });
    return alias == std::end(kAliases) ? 0 : alias->button;
}

namespace {

// Letters of UTF-8 text: the bytes that start a character.
std::size_t Letters(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The words of `text` in lines of at most `width` letters (a longer word on
// a line of its own), every line after the first starting with `hanging`.
std::string Wrapped(std::string_view text, std::size_t first, std::size_t width, const std::string& hanging) {
    std::string out;
    std::size_t used = first;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        const bool lineStart = used == first || used == hanging.size();
        if (!lineStart && used + 1 + Letters(word) > width) {
            out += "\n" + hanging;
            used = hanging.size();
        } else if (!lineStart) {
            out += ' ';
            ++used;
        }
        out += word;
        used += Letters(word);
        text.remove_prefix(space == std::string_view::npos ? text.size() : space + 1);
    }
    return out;
}

}  // namespace

std::string KeyLines(KeyGroup group, const char* indent, bool columns) {
    std::string text;
    for (const KeyRow& row : kRows) {
        if (row.group != group) continue;
        if (!columns) {
            text += std::string(indent) + row.keys + ": " + Tr(row.meaning) + "\n";
            continue;
        }
        std::string keys = row.keys;
        keys.resize(std::max(keys.size() + 2, kKeyColumn), ' ');
        const std::string lead = std::string(indent) + keys;
        text += lead + Wrapped(row.meaning, lead.size(), kTerminalWidth, std::string(lead.size(), ' ')) + "\n";
    }
    return text;
}

std::string KeyHintLine() {
    std::string text = Tr(N_("Click the buttons, or keys:"));
    const char* separator = " ";
    for (const KeyRow& row : kRows) {
        if (!row.hintKeys) continue;
        text += separator + std::string(Tr(row.hintKeys)) + " " + Tr(row.brief);
        separator = ", ";
    }
    return text + ".";
}
