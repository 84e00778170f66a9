// The demonstration in every language of po/LINGUAS: each screen as its
// picture in tests/golden/lang/, every label inside its button and every
// title on its line at every screen size, and the catalogue reader.
// OSK_UPDATE_GOLDEN=1 rewrites the pictures (look at them before committing);
// tools/pngdiff compares them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

#include "app/aids.h"
#include "app/catalogue.h"
#include "demo/aid_pictures.h"
#include "demo/driver.h"
#include "demo/waves.h"
#include "demo_support.h"
#include "platform/font.h"
#include "platform/latin1.h"
#include "plot/host.h"
#include "plot/palette.h"
#include "plot/plot.h"

namespace {

using namespace demotest;

std::vector<std::string> Languages() {
    std::ifstream in(std::string(OSK_SOURCE_DIR) + "/po/LINGUAS");
    std::vector<std::string> codes;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        for (std::string code; words >> code;) codes.push_back(code);
    }
    return codes;
}

// tools/pngdiff on the two pictures: 0 when they show the same pixels in
// the same colours; otherwise it names the first difference (and writes a
// diff picture where `diff` is given).
int PngDiff(const fs::path& expected, const fs::path& actual, const fs::path& diff) {
    std::string cmd = "'" + std::string(OSK_BINARY_DIR) + "/tools/pngdiff' '" + expected.string() + "' '" +
                      actual.string() + "'";
    if (!diff.empty()) cmd += " '" + diff.string() + "'";
    const int raw = std::system(cmd.c_str());
    return raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// The refresh of `run` that shows the last of its pages with `title`.
size_t LastRefreshTitled(const OskRun& run, const std::string& title) {
    for (size_t i = run.titles.size(); i > 0; --i) {
        if (run.titles[i - 1] == title) return i;
    }
    return 0;
}

// Whether UTF-8 text holds a character beyond Latin-1 (a lead byte above 0xC3).
bool BeyondLatin1(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) > 0xC3; });
}

// Whether UTF-8 text holds a character beyond ASCII: a letter with a mark,
// or one of another alphabet.
bool BeyondAscii(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) > 0x7F; });
}

// The first seven languages, whose Latin-1 capitals keep the classic marks.
bool KeepsClassicMarks(const std::string& code) {
    const std::set<std::string> first = {"de", "en", "es", "fr", "it", "nl", "pt"};
    return first.count(code) != 0;
}

class Language : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { ASSERT_TRUE(SetLanguage(GetParam())); }
    void TearDown() override { SetLanguage(""); }
};

// The start screen and the longitudinal wave stepped to its first frame.
TEST_P(Language, ScreensMatchTheirPictures) {
    const std::string code = GetParam();
    TempDir dir;
    const OskRun run = RunOsk(dir, "wait 0.5\nkey l\nwait 0.5\nkey n\nwait 0.5\n",
                              "--lang " + code + " --dump-format png");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output.find("English is used"), std::string::npos) << run.output;

    const struct {
        const char* name;
        size_t refresh;
    } screens[] = {
        {"start", LastRefreshTitled(run, Tr("Select Waveform"))},
        {"wave", LastRefreshTitled(run, Tr("Longitudinal Wave"))},
    };
    const fs::path golden = fs::path(OSK_SOURCE_DIR) / "tests/golden/lang";
    for (const auto& screen : screens) {
        ASSERT_GT(screen.refresh, 0u) << code << " " << screen.name << ": no such refresh";
        char file[32];
        std::snprintf(file, sizeof file, "refresh-%05zu.png", screen.refresh);
        const fs::path shown = run.dumpDir / file;
        const fs::path expected = golden / (code + "-" + screen.name + ".png");
        if (std::getenv("OSK_UPDATE_GOLDEN")) {
            fs::create_directories(golden);
            fs::copy_file(shown, expected, fs::copy_options::overwrite_existing);
        }
        if (PngDiff(expected, shown, {}) == 0) continue;
        // Only a difference leaves a picture of itself.
        const fs::path diffDir = fs::path(OSK_BINARY_DIR) / "golden-diff";
        fs::create_directories(diffDir);
        const fs::path diff = diffDir / ("lang-" + code + "-" + screen.name + ".png");
        PngDiff(expected, shown, diff);
        ADD_FAILURE() << code << ": the " << screen.name << " screen differs from " << expected << " (diff picture "
                      << diff << "; OSK_UPDATE_GOLDEN=1 rewrites it)";
    }
}

// Every label inside its button with three pixels to spare and its marks
// inside the frame's lines, and the page titles clear of the buttons with
// every mark on the page, from a small screen to a large one; the
// title strip's texts within the strip that a refresh redraws; and every
// letter of them drawn by a glyph of its font, not by the missing-glyph box.
TEST_P(Language, LabelsFitTheirButtonsAndTitlesTheirLines) {
    const DemoButton buttons[] = {kStartButtons[0], kStartButtons[1], kStartButtons[2], kBackButton,
                                  kRestartButton,   kAnimQuitButton,  kNextButton,      kSingleButton,
                                  kGoButton,        kStopButton};
    struct Title {
        const char* text;
        float rightmost;  // the left edge of the first button on its screen
    };
    const Title titles[] = {
        {"Sorel Dunes", kStartButtons[0].x - kStartButtons[0].halfWidth},
        {kLongitudinalWave.pageTitle, kBackButton.x - kBackButton.halfWidth},
        {kTransversalWave.pageTitle, kBackButton.x - kBackButton.halfWidth},
    };
    const char* stripTitles[] = {"System Start", "Select Waveform", kLongitudinalWave.stripTitle,
                                 kTransversalWave.stripTitle};
    static int screenWidth;
    static int screenHeight;
    for (const auto& [w, h] : {std::pair{640, 480}, {800, 600}, {1024, 768}, {1366, 768}, {1920, 1080}, {3840, 2160}}) {
        screenWidth = w;
        screenHeight = h;
        PlotHost host{};
        host.screenSize = [](int* width, int* height) {
            *width = screenWidth;
            *height = screenHeight;
        };
        PlotSetHost(&host);
        PlotState = PlotStateRecord{};
        PLOTOPEN(3, "tarvo_minel.plo", "Sorel Dune", "sorel_dune");
        ASSERT_GE(PAGESETUP(0, 0, 28.0f, 4.0f, 28.0f, 4.0f, 2), 0);
        SETWINDOW(0, 0, 28, 4);
        const double perUnit = PlotState.pixelsPerUnitX;
        const auto on = [&] {
            return GetParam() + " on " + std::to_string(screenWidth) + "x" + std::to_string(screenHeight) + ": \"";
        };
        // The library's width of a text, in user units (page units here); no
        // letter of it may lack a glyph.
        auto width = [&](const char* text, int height, int style = 1) {
            float x = 20;
            float y = 2;
            TEXTMISSING(1);
            TEXTGU(&x, &y, height, text, style, 0, 0, 1, 1, 2);
            EXPECT_EQ(TEXTMISSING(1), 0) << GetParam() << ": \"" << text << "\" has letters the page's font lacks";
            return 20.0 - x;
        };
        // The page rows (from the top) a drawing covers.
        const auto rowsOf = [](auto draw) {
            PlotDefaultFlush();
            draw();
            return std::pair{PlotState.dirtyTop, PlotState.dirtyBottom};
        };
        const auto [lineTop, lineBottom] = rowsOf([] { PLOTLINE(1, 2, 2, 2); });
        const int line = lineBottom - lineTop + 1;
        for (const DemoButton& b : buttons) {
            const double half = width(Tr(b.label), 23) / 2;
            EXPECT_LE(half * perUnit + 3, b.halfWidth * perUnit)
                << GetParam() << " on " << w << "x" << h << ": \"" << Tr(b.label) << "\" does not fit its button";
            // Marks above and below the letters stay inside the frame's lines:
            // every label with a mark in the languages with close marks, one
            // beyond Latin-1 in every language.  (A Latin-1 label of the first
            // seven keeps the classic marks, which may reach the line by a
            // row, as "Próximo" always did.)
            const bool closeMarks = !KeepsClassicMarks(GetParam()) || BeyondLatin1(Tr(b.label));
            if (!closeMarks || !BeyondAscii(Tr(b.label))) continue;
            const auto frame = rowsOf([&] { DrawButton(b.x, b.halfWidth, b.y, "", plot_palette::kWhite, 0, 1); });
            const auto label = rowsOf([&] { TEXTCU(b.x, b.y, 23, Tr(b.label), 1, 0, 0, 1); });
            EXPECT_GE(label.first, frame.first + line) << on() << Tr(b.label) << "\" crosses the button's top line";
            EXPECT_LE(label.second, frame.second - line)
                << on() << Tr(b.label) << "\" crosses the button's bottom line";
        }
        for (const Title& t : titles) {
            EXPECT_LE((0.5 + width(Tr(t.text), 40)) * perUnit + 3, t.rightmost * perUnit)
                << GetParam() << " on " << w << "x" << h << ": \"" << Tr(t.text) << "\" runs into the buttons";
            // Every mark of the title on the page: a mark the page's edge cuts
            // reaches its first row.
            const int top = rowsOf([&] { TEXTU(0.5f, 3.4f, 40, Tr(t.text), 1); }).first;
            EXPECT_GE(top, 1) << on() << Tr(t.text) << "\" is cut at the page's top";
        }
        // The teaching aids' texts: the three readouts, side by side in
        // monospaced text shrunk to fit the page, stay as large as the graph's
        // labels at the slowest speed (the longest period); the graph's two
        // curve labels, one from each end of its line, stay apart.
        const std::array<std::string, 3> readouts = ReadoutTexts(ComputeReadouts(kLongitudinalWave.period * 8));
        std::size_t glyphs = 8;  // the gaps between them
        const auto drawn = [](char c) { return c != '^' && (static_cast<unsigned char>(c) & 0xC0) != 0x80; };
        for (const std::string& text : readouts)
            glyphs += static_cast<std::size_t>(std::count_if(text.begin(), text.end(), drawn));
        EXPECT_GE((kAidPageWidth - 1.0) / static_cast<double>(glyphs), 0.24)
            << GetParam() << ": the readouts shrink below the labels' size: " << readouts[0] << " | " << readouts[1]
            << " | " << readouts[2];
        float left = 0;
        float right = 0;
        ChainXRange(WaveKind::Longitudinal, left, right);
        const double graphLine = (right - 0.1 - 0.0) * kAidPageWidth / (right - left);
        const double labels =
            width(Tr("displacement from rest"), 24, 2) + width(Tr("density change (compression above 0)"), 24, 2);
        EXPECT_LE(labels * perUnit + 6, graphLine * perUnit)
            << GetParam() << " on " << w << "x" << h << ": the graph's curve labels run into each other";
        PlotReleasePage();
        PlotSetHost(nullptr);
        PlotState = PlotStateRecord{};
    }
    for (const char* strip : stripTitles) {
        const std::string_view text = Tr(strip);
        std::size_t letters = 0;
        for (std::size_t at = 0; at < text.size(); ++letters) {
            const char32_t c = NextCodePoint(text, at);
            EXPECT_TRUE(FontHasGlyph(c)) << GetParam() << ": the title strip's font lacks U+" << std::hex
                                         << static_cast<unsigned>(c) << std::dec << " of \"" << text << "\"";
        }
        EXPECT_LT(letters, 70u) << text;  // 8 pixels a letter, 600 redrawn
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogues, Language, ::testing::ValuesIn(Languages()),
                         [](const auto& info) { return info.param; });

// Which catalogue serves a locale name; and the reader, fed each catalogue
// cut short at every length and with its tables pointing outside the file,
// refuses them whole instead of reading past the end.
TEST(Catalogue, MatchesLocaleNamesAndRefusesBrokenFiles) {
    EXPECT_EQ(MatchLanguage("de"), "de");
    EXPECT_EQ(MatchLanguage("pt_BR.UTF-8"), "pt");
    EXPECT_EQ(MatchLanguage("fr-CA"), "fr");
    EXPECT_EQ(MatchLanguage("NL_be@euro"), "nl");
    EXPECT_EQ(MatchLanguage("C.UTF-8"), "");
    EXPECT_EQ(MatchLanguage("POSIX"), "");
    EXPECT_EQ(MatchLanguage("ja_JP.UTF-8"), "?");
    EXPECT_EQ(MatchLanguage("el_GR.UTF-8"), "el");
    EXPECT_EQ(MatchLanguage("nb_NO"), "nb");
    EXPECT_EQ(MatchLanguage("no_NO.UTF-8"), "nb");
    EXPECT_EQ(MatchLanguage("no"), "nb");
    EXPECT_EQ(MatchLanguage("uk-UA"), "uk");
    EXPECT_FALSE(SetLanguage("xx"));
    EXPECT_EQ(CurrentLanguage(), "en");
    EXPECT_STREQ(Tr("Unbenannt"), "Untitled");
    SetLanguage("C");
    EXPECT_STREQ(Tr("Unbenannt"), "Unbenannt");

    // Every translation keeps the values its text marks: "%d" and "%s" for
    // the program, "{name}" for the web page.
    auto marks = [](const std::string& text) {
        std::vector<std::string> found;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '%' && i + 1 < text.size()) found.push_back(text.substr(i, 2));
            if (text[i] == '{') found.push_back(text.substr(i, text.find('}', i) - i));
        }
        std::sort(found.begin(), found.end());
        return found;
    };
    for (std::size_t i = 0; i < kBuiltInCatalogueCount; ++i) {
        std::vector<std::pair<std::string, std::string>> all;
        ASSERT_TRUE(ParseMoFile(kBuiltInCatalogues[i].data, kBuiltInCatalogues[i].size, all));
        for (const auto& [source, translation] : all) {
            EXPECT_EQ(marks(source), marks(translation)) << kBuiltInCatalogues[i].code << ": " << translation;
        }
    }

    ASSERT_GT(kBuiltInCatalogueCount, 0u);
    const BuiltInCatalogue& de = kBuiltInCatalogues[0];
    std::vector<std::pair<std::string, std::string>> entries;
    ASSERT_TRUE(ParseMoFile(de.data, de.size, entries));
    EXPECT_GT(entries.size(), 40u);
    for (std::size_t size = 0; size < de.size; ++size) {
        std::vector<unsigned char> cut(de.data, de.data + size);
        if (ParseMoFile(cut.data(), cut.size(), entries)) {
            // Only the hash table at the end may go: every string is whole.
            EXPECT_GT(entries.size(), 40u) << "cut at " << size;
        }
    }
    for (const std::size_t field : {8, 12, 16}) {
        std::vector<unsigned char> bad(de.data, de.data + de.size);
        bad[field + 3] = 0x7f;
        EXPECT_FALSE(ParseMoFile(bad.data(), bad.size(), entries)) << "field at " << field;
        EXPECT_TRUE(entries.empty());
    }
}

}  // namespace
