// utf8 - text in UTF-8 through TEXTU: words of six languages in the plain
// (proportional) and the capitals style, then the letters beyond Latin-1 that the font
// draws (Latin Extended-A, Greek, Cyrillic), and a character it lacks.
//
//     utf8 [out.png]
#include <cstdio>

#include "examples/gallery.h"

namespace {

struct Sample {
    const char* language;
    const char* words;
};

// Each language's words for the demonstration's own subjects.
constexpr Sample kSamples[] = {
    {"pl", "Fala poprzeczna, źródło, łódź"},     {"ro", "Undă transversală, înainte, știință"},
    {"tr", "Enine dalga, ışık, İleri, değişim"}, {"el", "Εγκάρσιο κύμα, Διαμήκες κύμα"},
    {"ru", "Поперечная волна, Шаг, Ещё раз"},    {"uk", "Поперечна хвиля, Ґанок, їжак, є"},
};

constexpr const char* kRanges[] = {
    "ĀāĂăĄąĆćĈĉĊċČčĎďĐđĒēĔĕĖėĘęĚěĜĝĞğĠġĢģĤĥĦħĨĩĪīĬĭĮįİıĲĳĴĵĶķĸ",
    "ĹĺĻļĽľĿŀŁłŃńŅņŇňŉŊŋŌōŎŏŐőŒœŔŕŖŗŘřŚśŜŝŞşŠšŢţŤťŦŧŨũŪūŬŭŮůŰűŲų",
    "ŴŵŶŷŸŹźŻżŽžſ ȘșȚț «»°·×÷ „“”‘’–",
    "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ Ά Έ Ή Ί Ό Ύ Ώ Ϊ Ϋ",  // apart: a capitals-only word drops the tonos
    "αβγδεζηθικλμνξοπρστυφχψω ς άέήίόύώϊϋΐΰ",
    "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ ЄІЇҐЃЌЎЅЈ",
    "абвгдеёжзийклмнопрстуфхцчшщъыьэюя єіїґѓќўѕј",
};

}  // namespace

int main(int argc, char** argv) {
    const char* out = gallery::OutputName(argc, argv, "utf8.png");
    if (!gallery::OpenPage("UTF-8 text", "utf8", 34, 16)) return 1;

    float y = 15.0f;
    for (const Sample& s : kSamples) {
        TEXTLANGUAGE(s.language);  // Turkish capitals: İ
        SETCOLOUR(21);
        TEXTU(0.4f, y, 30, s.language, 0);
        SETCOLOUR(4);
        TEXTU(1.4f, y, 40, s.words, 2);
        SETCOLOUR(16);
        TEXTU(14.6f, y, 40, s.words, 3);
        y -= 0.9f;
    }
    TEXTLANGUAGE(nullptr);
    y -= 0.3f;
    SETCOLOUR(16);
    for (const char* range : kRanges) {
        TEXTU(0.4f, y, 40, range, 0);
        y -= 0.95f;
    }
    // A character of no set: a box, counted by TEXTMISSING.
    TEXTMISSING(1);
    SETCOLOUR(2);
    TEXTU(0.4f, y, 40, "CJK 波 = box", 0);
    char note[64];
    std::snprintf(note, sizeof note, "TEXTMISSING = %d", TEXTMISSING(1));
    TEXTU(8.0f, y, 40, note, 0);

    return gallery::WritePage(out);
}
