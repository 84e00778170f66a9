// catalogue.h - the program's texts in the user's language.
//
// The translations are GNU gettext message catalogues (po/LANG.po), compiled
// by msgfmt at build time and built into the program, so that they work
// wherever it runs (any locale set up or not, the browser, Windows).  A
// text is looked up by its source text, as gettext does; with no language
// chosen, or C / POSIX, every text is the source text itself.
//
// Every text is UTF-8 all the way: the page draws it with the plot
// library's UTF-8 text (TEXTGU), and the title strip, the window title, the
// message boxes and the web page take it as it is.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Marks a text for extraction where it is defined; translated where used.
#define N_(text) text

// One built-in catalogue: a language code and the bytes of its .mo file.
struct BuiltInCatalogue {
    const char* code;
    const unsigned char* data;
    std::size_t size;
};
// The catalogues of po/LINGUAS (a file generated at build time).
extern const BuiltInCatalogue kBuiltInCatalogues[];
extern const std::size_t kBuiltInCatalogueCount;

// The texts of one .mo file, by source text.  False for bytes that are not
// a well-formed .mo file (then nothing is loaded).
bool ParseMoFile(const unsigned char* data, std::size_t size,
                 std::vector<std::pair<std::string, std::string>>& entries);

// The built-in language that serves `wanted` ("de", "pt_BR.UTF-8",
// "fr-CA", "nl_NL@euro", "no_NO" for Bokmål): the full code, else its
// language part; "" for "", "C", "C.UTF-8" and "POSIX" (the source texts);
// "?" when none does.
std::string MatchLanguage(std::string_view wanted);

// The language gettext would take from the environment: LC_ALL, LC_MESSAGES
// or LANG set the locale (none, C or POSIX: "", the source texts); LANGUAGE,
// when set, lists the preferred languages in order, and a C in that list
// ends it with the source texts.  A locale that no built-in catalogue
// serves gives English.
std::string LanguageFromEnvironment();

// Switches every text to the language `code` (a MatchLanguage argument).
// An unknown code selects English and returns false.
bool SetLanguage(std::string_view code);

// The code of the language in use, "" for the source texts.
const std::string& CurrentLanguage();

// The translation of `source` (UTF-8), or `source` itself.  The pointer
// stays valid until the language changes.
const char* Tr(const char* source);
