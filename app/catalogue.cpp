// catalogue.cpp - the .mo reader and the choice of language.
#include "app/catalogue.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "plot/plot.h"

namespace {

struct Catalogue {
    std::string code;
    std::unordered_map<std::string, std::string> texts;  // UTF-8
};
Catalogue g_catalogue;

const BuiltInCatalogue* FindBuiltIn(std::string_view code) {
    for (std::size_t i = 0; i < kBuiltInCatalogueCount; ++i) {
        if (code == kBuiltInCatalogues[i].code) return &kBuiltInCatalogues[i];
    }
    return nullptr;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// "pt_BR.UTF-8@euro" -> "pt_BR"; "fr-CA" (a browser's form) -> "fr_CA".
std::string LocaleName(std::string_view wanted) {
    std::string name(wanted.substr(0, wanted.find_first_of(".@")));
    for (char& c : name) {
        if (c == '-') c = '_';
    }
    const std::size_t sep = name.find('_');
    if (sep == std::string::npos) return Lower(name);
    std::string region = name.substr(sep + 1);
    for (char& c : region) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return Lower(name.substr(0, sep)) + "_" + region;
}

bool IsSourceLocale(std::string_view name) {
    return name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0;
}

// Languages known by another code: Norwegian ("no") is written in Bokmål.
std::string WrittenAs(const std::string& language) { return language == "no" ? "nb" : language; }

std::uint32_t Word(const unsigned char* p, bool bigEndian) {
    if (bigEndian) {
        return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
    }
    return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
}

}  // namespace

bool ParseMoFile(const unsigned char* data, std::size_t size,
                 std::vector<std::pair<std::string, std::string>>& entries) {
    entries.clear();
    if (data == nullptr || size < 28) return false;
    bool bigEndian = false;
    if (Word(data, false) == 0x950412deu) {
        bigEndian = false;
    } else if (Word(data, true) == 0x950412deu) {
        bigEndian = true;
    } else {
        return false;
    }
    if ((Word(data + 4, bigEndian) >> 16) > 1) return false;  // an unknown major revision
    const std::uint64_t count = Word(data + 8, bigEndian);
    const std::uint64_t sources = Word(data + 12, bigEndian);
    const std::uint64_t translations = Word(data + 16, bigEndian);
    if (sources + count * 8 > size || translations + count * 8 > size) return false;

    // A string: its length and offset from the table; it must end with a
    // NUL inside the file.  Plural forms and contexts are not used here:
    // the text is taken up to its first NUL.
    auto text = [&](std::uint64_t table, std::uint64_t i, std::string& out) {
        const std::uint64_t length = Word(data + table + i * 8, bigEndian);
        const std::uint64_t offset = Word(data + table + i * 8 + 4, bigEndian);
        if (offset + length >= size || data[offset + length] != 0) return false;
        out.assign(reinterpret_cast<const char*>(data + offset));
        return true;
    };
    for (std::uint64_t i = 0; i < count; ++i) {
        std::string source;
        std::string translation;
        if (!text(sources, i, source) || !text(translations, i, translation)) {
            entries.clear();
            return false;
        }
        if (source.empty()) continue;  // the header
        entries.emplace_back(std::move(source), std::move(translation));
    }
    return true;
}

std::string MatchLanguage(std::string_view wanted) {
    if (IsSourceLocale(wanted)) return "";
    std::string name = LocaleName(wanted);
    if (FindBuiltIn(name)) return name;
    std::string language = WrittenAs(name.substr(0, name.find('_')));
    if (FindBuiltIn(language)) return language;
    return "?";
}

std::string LanguageFromEnvironment() {
    std::string locale;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            locale = value;
            break;
        }
    }
    if (IsSourceLocale(locale)) return "";
    const char* preferred = std::getenv("LANGUAGE");
    // (Both sides views: a std::string temporary would end with this line.)
    std::string_view list = preferred && *preferred ? std::string_view(preferred) : std::string_view(locale);
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view entry = list.substr(0, colon);
        // As gettext: C or POSIX in the list ends it with the source texts.
        std::string match = entry.empty() ? "?" : MatchLanguage(entry);
        if (match != "?") return match;
        if (colon == std::string_view::npos) break;
        list.remove_prefix(colon + 1);
    }
    return "en";
}

bool SetLanguage(std::string_view code) {
    std::string match = MatchLanguage(code);
    const bool known = match != "?";
    if (!known) match = "en";
    g_catalogue = Catalogue{};
    g_catalogue.code = match;
    TEXTLANGUAGE(match.c_str());  // the page's capitals follow the language
    if (const BuiltInCatalogue* builtIn = FindBuiltIn(match)) {
        std::vector<std::pair<std::string, std::string>> entries;
        // The catalogues are checked at build time; a bad one leaves the
        // source texts.
        ParseMoFile(builtIn->data, builtIn->size, entries);
        for (auto& [source, translation] : entries) g_catalogue.texts.emplace(std::move(source), std::move(translation));
    }
    return known;
}

const std::string& CurrentLanguage() { return g_catalogue.code; }

const char* Tr(const char* source) {
    if (source == nullptr || g_catalogue.texts.empty()) return source;
    const auto found = g_catalogue.texts.find(source);
    return found == g_catalogue.texts.end() || found->second.empty() ? source : found->second.c_str();
}
