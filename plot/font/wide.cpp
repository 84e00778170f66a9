// wide.cpp - the wide set of the stroke font: the glyphs that only UTF-8
// text reaches (Latin Extended-A, Greek and Cyrillic beyond what the byte
// sets already draw), their metrics and the map from code points.
//
// Shapes follow the conventions of glyphs.cpp: the 8-unit grid, capitals 6
// high from x 0 to 6, small letters 4 high from x 1 to 5, descenders to -2.
#include <algorithm>

#include "plot/font/font.h"
#include "plot/font/shapes.h"
#include "plot/font/stroke_table.h"

namespace plotfont {
namespace {

// Wide glyph numbers by name.
// clang-format off
enum WideGlyph : int16_t {
    kBox = kReplacementGlyph,
    // marks
    kCaron, kBreve, kDotAbove, kDoubleAcute, kMacron, kCommaAbove, kTonos, kCapitalTonos,
    kDialytikaTonos, kOgonek, kCommaBelow,
    // Latin letters of their own
    kDCaronSmall, kDStrokeCapital, kDStrokeSmall, kHStrokeCapital, kHStrokeSmall, kIJCapital, kIJSmall,
    kDotlessJ, kLCaronCapital, kLCaronSmall, kLDotCapital, kLDotSmall, kLStrokeCapital, kLStrokeSmall,
    kApostropheN, kEngCapital, kEngSmall, kOECapital, kOESmall, kTCaronSmall, kTStrokeCapital,
    kTStrokeSmall, kLongS,
    // Cyrillic capitals of their own
    kBe, kDe, kZhe, kZe, kI, kEl, kU, kTse, kChe, kSha, kShcha, kHard, kYeru, kSoft, kE, kYu, kYa,
    kUkrainianIe, kGheUpturn,
    // Cyrillic small letters of their own
    kBeSmall, kVeSmall, kGheSmall, kDeSmall, kZheSmall, kZeSmall, kISmall, kKaSmall, kElSmall, kEmSmall,
    kEnSmall, kPeSmall, kTeSmall, kEfSmall, kTseSmall, kCheSmall, kShaSmall, kShchaSmall, kHardSmall,
    kYeruSmall, kSoftSmall, kESmall, kYuSmall, kYaSmall, kUkrainianIeSmall, kGheUpturnSmall,
    // signs
    kLeftGuillemet, kRightGuillemet, kMiddleDot, kLowQuote,
    kEnd
};
// clang-format on
static_assert(kEnd - kWideFirst <= kWideGlyphCount, "wide glyph numbers overflow the tables");

// Byte-set glyphs the wide characters reuse.
constexpr int16_t kAcute = kAcuteGlyph, kGrave = kGraveGlyph, kCircumflex = kCircumflexGlyph,
                  kDiaeresis = kDiaeresisGlyph, kRing = kRingGlyph, kTilde = kTildeGlyph, kCedilla = kCedillaGlyph,
                  kDotlessI = kDotlessIGlyph;
constexpr int16_t kGreekDelta = 324, kGreekPhi = 326, kGreekGamma = 327, kGreekTheta = 330, kGreekLambda = 332,
                  kGreekPi = 336, kGreekSigma = 339, kGreekOmega = 343, kGreekXi = 344, kGreekPsi = 345;
constexpr int16_t kAlpha = 353, kBeta = 354, kChi = 355, kDelta = 356, kEpsilon = 357, kPhi = 358, kGamma = 359,
                  kEta = 360, kIota = 361, kTheta = 362, kKappa = 363, kLambda = 364, kMu = 365, kNu = 366, kPi = 368,
                  kRho = 370, kSigma = 371, kTau = 372, kUpsilon = 373, kFinalSigma = 374, kOmega = 375, kXi = 376,
                  kPsi = 377, kZeta = 378;

// clang-format off
constexpr int kShapes[] = {
    G(kBox), Mv(1, 0), Dr(1, 6), Dr(5, 6), Dr(5, 0), Dr(1, 0), Mv(3, 1),     // replacement
             Dr(3, 2), Mv(3, 3), Dr(4, 4), Dr(3, 5), Dr(2, 4),
    // ---- marks: above ones at y 4..6 (raised over the letter), below ones
    // under the base line
    G(kCaron), Mv(1, 6), Dr(3, 4), Dr(5, 6),
    G(kBreve), Mv(1, 6), Dr(1, 5), Dr(2, 4), Dr(4, 4), Dr(5, 5), Dr(5, 6),
    G(kDotAbove), Mv(3, 4), Dr(3, 5),
    G(kDoubleAcute), Mv(1, 4), Dr(2, 6), Mv(4, 4), Dr(5, 6),
    G(kMacron), Mv(1, 5), Dr(5, 5),
    G(kCommaAbove), Mv(4, 6), Dr(3, 5), Dr(3, 4),
    G(kTonos), Mv(3, 4), Dr(4, 6),
    G(kCapitalTonos), Mv(0, 4), Dr(1, 6),
    G(kDialytikaTonos), Mv(1, 4), Dr(1, 5), Mv(5, 4), Dr(5, 5), Mv(3, 4), Dr(4, 6),
    G(kOgonek), Dmv(5, 0), Ddr(4, -1), Ddr(5, -2), Ddr(6, -2),
    G(kCommaBelow), Dmv(3, -1), Ddr(2, -2),
    // ---- Latin letters
    G(kDCaronSmall), Mv(5, 6), Dr(5, 0), Mv(5, 1), Dr(4, 0), Dr(2, 0), Dr(1, 1),  // ď
                     Dr(1, 3), Dr(2, 4), Dr(4, 4), Dr(5, 3), Mv(6, 7), Dr(6, 5),
    G(kDStrokeCapital), Mv(1, 0), Dr(1, 6), Dr(4, 6), Dr(6, 4), Dr(6, 2),  // Đ
                        Dr(4, 0), Dr(1, 0), Mv(0, 3), Dr(3, 3),
    G(kDStrokeSmall), Mv(5, 6), Dr(5, 0), Mv(5, 1), Dr(4, 0), Dr(2, 0), Dr(1, 1),  // đ
                      Dr(1, 3), Dr(2, 4), Dr(4, 4), Dr(5, 3), Mv(3, 5), Dr(6, 5),
    G(kHStrokeCapital), Mv(0, 0), Dr(0, 6), Mv(0, 3), Dr(6, 3), Mv(6, 6),  // Ħ
                        Dr(6, 0), Mv(0, 5), Dr(6, 5),
    G(kHStrokeSmall), Mv(1, 6), Dr(1, 0), Mv(1, 3), Dr(2, 4), Dr(4, 4), Dr(5, 3),  // ħ
                      Dr(5, 0), Mv(0, 5), Dr(3, 5),
    G(kIJCapital), Mv(0, 0), Dr(0, 6), Mv(2, 1), Dr(3, 0), Dr(5, 0), Dr(6, 1),  // Ĳ
                   Dr(6, 6),
    G(kIJSmall), Mv(1, 0), Dr(1, 4), Mv(1, 6), Dr(1, 7), Dmv(4, 4), Ddr(4, -1),  // ĳ
                 Ddr(3, -2), Ddr(2, -2), Mv(4, 6), Dr(4, 7),
    G(kDotlessJ), Dmv(2, 4), Ddr(3, 4), Ddr(3, -1), Ddr(2, -2), Ddr(1, -2),  // ȷ
    G(kLCaronCapital), Mv(0, 6), Dr(0, 0), Dr(6, 0), Dr(6, 1), Mv(3, 6),  // Ľ
                       Dr(3, 4),
    G(kLCaronSmall), Mv(2, 6), Dr(3, 6), Dr(3, 1), Dr(4, 0), Mv(5, 7), Dr(5, 5),  // ľ
    G(kLDotCapital), Mv(0, 6), Dr(0, 0), Dr(6, 0), Dr(6, 1), Mv(3, 3), Dr(3, 4),  // Ŀ
    G(kLDotSmall), Mv(1, 6), Dr(2, 6), Dr(2, 1), Dr(3, 0), Mv(5, 3), Dr(5, 4),  // ŀ
    G(kLStrokeCapital), Mv(1, 6), Dr(1, 0), Dr(6, 0), Dr(6, 1), Mv(0, 2),  // Ł
                        Dr(3, 4),
    G(kLStrokeSmall), Mv(2, 6), Dr(3, 6), Dr(3, 1), Dr(4, 0), Mv(2, 2),  // ł
                      Dr(4, 4),
    G(kApostropheN), Mv(0, 6), Dr(0, 5), Mv(1, 0), Dr(1, 4), Mv(1, 3), Dr(2, 4),  // ŉ
                     Dr(4, 4), Dr(5, 3), Dr(5, 0),
    G(kEngCapital), Mv(0, 0), Dr(0, 6), Mv(0, 5), Dr(1, 6), Dr(5, 6), Dr(6, 5),  // Ŋ
                    Dr(6, 1), Dmv(6, 1), Ddr(6, -1), Ddr(5, -2), Ddr(4, -2),
    G(kEngSmall), Mv(1, 0), Dr(1, 4), Mv(1, 3), Dr(2, 4), Dr(4, 4), Dr(5, 3),  // ŋ
                  Dmv(5, 3), Ddr(5, -1), Ddr(4, -2), Ddr(3, -2),
    G(kOECapital), Mv(6, 0), Dr(2, 0), Dr(0, 2), Dr(0, 4), Dr(2, 6), Dr(6, 6),  // Œ
                   Mv(3, 0), Dr(3, 6), Mv(3, 3), Dr(5, 3),
    G(kOESmall), Mv(3, 3), Dr(2, 4), Dr(1, 4), Dr(0, 3), Dr(0, 1), Dr(1, 0),  // œ
                 Dr(2, 0), Dr(3, 1), Dr(3, 3), Dr(4, 4), Dr(5, 4), Dr(6, 3),
                 Dr(6, 2), Dr(3, 2), Mv(3, 1), Dr(4, 0), Dr(6, 0),
    G(kTCaronSmall), Mv(2, 6), Dr(2, 1), Dr(3, 0), Dr(4, 0), Dr(5, 1), Mv(1, 4),  // ť
                     Dr(4, 4), Mv(4, 7), Dr(4, 5),
    G(kTStrokeCapital), Mv(3, 0), Dr(3, 6), Mv(0, 6), Dr(6, 6), Mv(1, 3),  // Ŧ
                        Dr(5, 3),
    G(kTStrokeSmall), Mv(2, 6), Dr(2, 1), Dr(3, 0), Dr(4, 0), Dr(5, 1), Mv(1, 4),  // ŧ
                      Dr(4, 4), Mv(1, 2), Dr(3, 2),
    G(kLongS), Mv(2, 0), Dr(2, 5), Dr(3, 6), Dr(4, 6), Dr(5, 5),  // ſ
    // ---- Cyrillic capitals (А В Е К М Н О Р С Т Х І Ј Ѕ are the Latin
    // ones, Г П Ф the Greek)
    G(kBe), Mv(6, 6), Dr(0, 6), Dr(0, 0), Dr(4, 0), Dr(6, 1), Dr(6, 2), Dr(4, 3),  // Б
            Dr(0, 3),
    G(kDe), Dmv(0, -1), Ddr(0, 0), Ddr(6, 0), Ddr(6, -1), Mv(1, 0), Dr(2, 2),  // Д
            Dr(2, 6), Dr(5, 6), Dr(5, 0),
    G(kZhe), Mv(3, 0), Dr(3, 6), Mv(0, 6), Dr(3, 3), Dr(6, 6), Mv(0, 0),  // Ж
             Dr(2, 3), Dr(4, 3), Dr(6, 0),
    G(kZe), Mv(0, 5), Dr(1, 6), Dr(5, 6), Dr(6, 5), Dr(6, 4), Dr(5, 3), Dr(2, 3),  // З
            Mv(5, 3), Dr(6, 2), Dr(6, 1), Dr(5, 0), Dr(1, 0), Dr(0, 1),
    G(kI), Mv(0, 6), Dr(0, 0), Dr(6, 6), Dr(6, 0),  // И
    G(kEl), Mv(0, 0), Dr(1, 0), Dr(2, 2), Dr(3, 6), Dr(6, 6), Dr(6, 0),  // Л
    G(kU), Mv(0, 6), Dr(3, 2), Mv(6, 6), Dr(2, 0), Dr(1, 0),  // У
    G(kTse), Mv(0, 6), Dr(0, 0), Dr(6, 0), Dmv(6, 0), Ddr(6, -1), Mv(5, 0),  // Ц
             Dr(5, 6),
    G(kChe), Mv(0, 6), Dr(0, 4), Dr(1, 3), Dr(6, 3), Mv(6, 6), Dr(6, 0),  // Ч
    G(kSha), Mv(0, 6), Dr(0, 0), Dr(6, 0), Dr(6, 6), Mv(3, 6), Dr(3, 0),  // Ш
    G(kShcha), Mv(0, 6), Dr(0, 0), Dr(6, 0), Dmv(6, 0), Ddr(6, -1), Mv(4, 0),  // Щ
               Dr(4, 6), Mv(2, 6), Dr(2, 0),
    G(kHard), Mv(0, 6), Dr(2, 6), Dr(2, 0), Dr(5, 0), Dr(6, 1), Dr(6, 2), Dr(5, 3),  // Ъ
              Dr(2, 3),
    G(kYeru), Mv(0, 6), Dr(0, 0), Dr(3, 0), Dr(4, 1), Dr(4, 2), Dr(3, 3), Dr(0, 3),  // Ы
              Mv(6, 6), Dr(6, 0),
    G(kSoft), Mv(0, 6), Dr(0, 0), Dr(4, 0), Dr(6, 1), Dr(6, 2), Dr(4, 3), Dr(0, 3),  // Ь
    G(kE), Mv(0, 5), Dr(1, 6), Dr(5, 6), Dr(6, 5), Dr(6, 1), Dr(5, 0), Dr(1, 0),  // Э
           Dr(0, 1), Mv(2, 3), Dr(6, 3),
    G(kYu), Mv(0, 6), Dr(0, 0), Mv(0, 3), Dr(2, 3), Mv(4, 6), Dr(3, 5), Dr(3, 1),  // Ю
            Dr(4, 0), Dr(5, 0), Dr(6, 1), Dr(6, 5), Dr(5, 6), Dr(4, 6),
    G(kYa), Mv(6, 0), Dr(6, 6), Dr(2, 6), Dr(0, 5), Dr(0, 4), Dr(2, 3), Dr(6, 3),  // Я
            Mv(3, 3), Dr(0, 0),
    G(kUkrainianIe), Mv(6, 5), Dr(5, 6), Dr(1, 6), Dr(0, 5), Dr(0, 1), Dr(1, 0),  // Є
                     Dr(5, 0), Dr(6, 1), Mv(0, 3), Dr(4, 3),
    G(kGheUpturn), Mv(0, 0), Dr(0, 5), Dr(5, 5), Dr(5, 7),  // Ґ
    // ---- Cyrillic small letters (а е о р с у х і ј ѕ are the Latin ones)
    G(kBeSmall), Mv(5, 6), Dr(4, 5), Dr(2, 5), Dr(1, 4), Dr(1, 1), Dr(2, 0), Dr(4, 0),  // б
                 Dr(5, 1), Dr(5, 2), Dr(4, 3), Dr(2, 3), Dr(1, 2),
    G(kVeSmall), Mv(1, 0), Dr(1, 4), Dr(4, 4), Dr(5, 3), Dr(4, 2), Dr(1, 2), Mv(4, 2),  // в
                 Dr(5, 1), Dr(4, 0), Dr(1, 0),
    G(kGheSmall), Mv(1, 0), Dr(1, 4), Dr(5, 4),  // г
    G(kDeSmall), Dmv(0, -1), Ddr(0, 0), Ddr(6, 0), Ddr(6, -1), Mv(1, 0), Dr(2, 2),  // д
                 Dr(2, 4), Dr(5, 4), Dr(5, 0),
    G(kZheSmall), Mv(3, 0), Dr(3, 4), Mv(0, 4), Dr(3, 2), Dr(6, 4), Mv(0, 0),  // ж
                  Dr(2, 2), Dr(4, 2), Dr(6, 0),
    G(kZeSmall), Mv(1, 3), Dr(2, 4), Dr(4, 4), Dr(5, 3), Dr(4, 2), Dr(2, 2), Mv(4, 2),  // з
                 Dr(5, 1), Dr(4, 0), Dr(2, 0), Dr(1, 1),
    G(kISmall), Mv(1, 4), Dr(1, 0), Dr(5, 4), Dr(5, 0),  // и
    G(kKaSmall), Mv(1, 4), Dr(1, 0), Mv(1, 2), Dr(2, 2), Dr(5, 4), Mv(2, 2), Dr(5, 0),  // к
    G(kElSmall), Mv(1, 0), Dr(2, 1), Dr(3, 4), Dr(5, 4), Dr(5, 0),  // л
    G(kEmSmall), Mv(1, 0), Dr(1, 4), Dr(3, 1), Dr(5, 4), Dr(5, 0),  // м
    G(kEnSmall), Mv(1, 4), Dr(1, 0), Mv(1, 2), Dr(5, 2), Mv(5, 4), Dr(5, 0),  // н
    G(kPeSmall), Mv(1, 0), Dr(1, 4), Dr(5, 4), Dr(5, 0),  // п
    G(kTeSmall), Mv(1, 4), Dr(5, 4), Mv(3, 4), Dr(3, 0),  // т
    G(kEfSmall), Dmv(3, 5), Ddr(3, -2), Dmv(3, 4), Ddr(1, 4), Ddr(0, 3), Ddr(0, 1),  // ф
                 Ddr(1, 0), Ddr(5, 0), Ddr(6, 1), Ddr(6, 3), Ddr(5, 4), Ddr(3, 4),
    G(kTseSmall), Mv(1, 4), Dr(1, 0), Dr(5, 0), Dr(5, 4), Dmv(5, 0), Ddr(6, 0),  // ц
                  Ddr(6, -1),
    G(kCheSmall), Mv(1, 4), Dr(1, 3), Dr(2, 2), Dr(5, 2), Mv(5, 4), Dr(5, 0),  // ч
    G(kShaSmall), Mv(0, 4), Dr(0, 0), Dr(6, 0), Dr(6, 4), Mv(3, 4), Dr(3, 0),  // ш
    G(kShchaSmall), Mv(0, 4), Dr(0, 0), Dr(6, 0), Dmv(6, 0), Ddr(6, -1), Mv(4, 0),  // щ
                    Dr(4, 4), Mv(2, 4), Dr(2, 0),
    G(kHardSmall), Mv(0, 4), Dr(2, 4), Dr(2, 0), Dr(5, 0), Dr(6, 1), Dr(5, 2),  // ъ
                   Dr(2, 2),
    G(kYeruSmall), Mv(0, 4), Dr(0, 0), Dr(3, 0), Dr(4, 1), Dr(3, 2), Dr(0, 2),  // ы
                   Mv(6, 4), Dr(6, 0),
    G(kSoftSmall), Mv(1, 4), Dr(1, 0), Dr(4, 0), Dr(5, 1), Dr(4, 2), Dr(1, 2),  // ь
    G(kESmall), Mv(1, 3), Dr(2, 4), Dr(4, 4), Dr(5, 3), Dr(5, 1), Dr(4, 0),  // э
                Dr(2, 0), Dr(1, 1), Mv(2, 2), Dr(5, 2),
    G(kYuSmall), Mv(0, 4), Dr(0, 0), Mv(0, 2), Dr(2, 2), Mv(4, 4), Dr(3, 3),  // ю
                 Dr(3, 1), Dr(4, 0), Dr(5, 0), Dr(6, 1), Dr(6, 3), Dr(5, 4),
                 Dr(4, 4),
    G(kYaSmall), Mv(5, 0), Dr(5, 4), Dr(2, 4), Dr(1, 3), Dr(2, 2), Dr(5, 2),  // я
                 Mv(3, 2), Dr(1, 0),
    G(kUkrainianIeSmall), Mv(5, 3), Dr(4, 4), Dr(2, 4), Dr(1, 3), Dr(1, 1),  // є
                          Dr(2, 0), Dr(4, 0), Dr(5, 1), Mv(1, 2), Dr(4, 2),
    G(kGheUpturnSmall), Mv(1, 0), Dr(1, 4), Dr(5, 4), Dr(5, 6),  // ґ
    // ---- signs
    G(kLeftGuillemet), Mv(3, 4), Dr(1, 2), Dr(3, 0), Mv(5, 4), Dr(3, 2), Dr(5, 0),  // «
    G(kRightGuillemet), Mv(1, 4), Dr(3, 2), Dr(1, 0), Mv(3, 4), Dr(5, 2), Dr(3, 0),  // »
    G(kMiddleDot), Mv(3, 2), Dr(3, 3),  // ·
    G(kLowQuote), Dmv(2, 1), Ddr(2, 0), Ddr(1, -1), Dmv(4, 1), Ddr(4, 0), Ddr(3, -1),  // „
};
// clang-format on

// Glyphs whose metrics differ from a 6-high, 10-wide sign.
struct GlyphTraits {
    int16_t glyph;
    int16_t heightClass;
    int16_t advance;
    int16_t capital;
    bool isCapital;
    bool raises;
};
constexpr int16_t kCapitalClass = 5;  // as the Latin capitals
constexpr int16_t kSmallClass = 7;    // as the Latin small letters
constexpr GlyphTraits Mark(int16_t g, bool raises) {
    return {g, raises ? kCapitalClass : int16_t{6}, 10, 0, false, raises};
}
constexpr GlyphTraits Capital(int16_t g, int16_t advance) { return {g, kCapitalClass, advance, 0, true, false}; }
constexpr GlyphTraits Small(int16_t g, int16_t advance, int16_t capital) {
    return {g, kSmallClass, advance, capital, false, false};
}
// clang-format off
constexpr GlyphTraits kTraits[] = {
    {kBox, 5, 10, 0, false, false},
    Mark(kCaron, true), Mark(kBreve, true), Mark(kDotAbove, true), Mark(kDoubleAcute, true),
    Mark(kMacron, true), Mark(kCommaAbove, true), Mark(kTonos, true), Mark(kCapitalTonos, true),
    Mark(kDialytikaTonos, true), Mark(kOgonek, false), Mark(kCommaBelow, false),
    Small(kDCaronSmall, 12, 'D'), Capital(kDStrokeCapital, 14), Small(kDStrokeSmall, 10, kDStrokeCapital),
    Capital(kHStrokeCapital, 14), Small(kHStrokeSmall, 10, kHStrokeCapital), Capital(kIJCapital, 14),
    Small(kIJSmall, 8, kIJCapital), Small(kDotlessJ, 6, 'J'), Capital(kLCaronCapital, 12),
    Small(kLCaronSmall, 8, kLCaronCapital), Capital(kLDotCapital, 12), Small(kLDotSmall, 8, kLDotCapital),
    Capital(kLStrokeCapital, 12), Small(kLStrokeSmall, 6, kLStrokeCapital), Small(kApostropheN, 10, 'N'),
    Capital(kEngCapital, 14), Small(kEngSmall, 10, kEngCapital), Capital(kOECapital, 16),
    Small(kOESmall, 14, kOECapital), Small(kTCaronSmall, 8, 'T'), Capital(kTStrokeCapital, 12),
    Small(kTStrokeSmall, 8, kTStrokeCapital), Small(kLongS, 8, 'S'),
    Capital(kBe, 12), Capital(kDe, 14), Capital(kZhe, 16), Capital(kZe, 12), Capital(kI, 14),
    Capital(kEl, 14), Capital(kU, 14), Capital(kTse, 14), Capital(kChe, 14), Capital(kSha, 16),
    Capital(kShcha, 16), Capital(kHard, 14), Capital(kYeru, 16), Capital(kSoft, 12), Capital(kE, 14),
    Capital(kYu, 16), Capital(kYa, 14), Capital(kUkrainianIe, 14), Capital(kGheUpturn, 12),
    Small(kBeSmall, 10, kBe), Small(kVeSmall, 10, 'B'), Small(kGheSmall, 8, kGreekGamma),
    Small(kDeSmall, 12, kDe), Small(kZheSmall, 14, kZhe), Small(kZeSmall, 10, kZe), Small(kISmall, 10, kI),
    Small(kKaSmall, 10, 'K'), Small(kElSmall, 10, kEl), Small(kEmSmall, 10, 'M'), Small(kEnSmall, 10, 'H'),
    Small(kPeSmall, 10, kGreekPi), Small(kTeSmall, 10, 'T'), Small(kEfSmall, 14, kGreekPhi),
    Small(kTseSmall, 12, kTse), Small(kCheSmall, 10, kChe), Small(kShaSmall, 14, kSha),
    Small(kShchaSmall, 14, kShcha), Small(kHardSmall, 12, kHard), Small(kYeruSmall, 14, kYeru),
    Small(kSoftSmall, 10, kSoft), Small(kESmall, 10, kE), Small(kYuSmall, 14, kYu), Small(kYaSmall, 10, kYa),
    Small(kUkrainianIeSmall, 10, kUkrainianIe), Small(kGheUpturnSmall, 8, kGheUpturn),
    {kMiddleDot, 6, 6, 0, false, false}, {kLowQuote, 6, 8, 0, false, false},
};
// clang-format on

// Characters beyond Latin-1: a glyph, or a base glyph and the mark over or
// under it.
constexpr int16_t kApostrophe = '\'', kQuote = '"', kHyphen = '-';
constexpr int16_t kDegree = 292, kTimes = 293, kDivide = 303;

// clang-format off
constexpr WideCharacter kCharacters[] = {
    // Latin-1 signs the byte sets leave out
    {0xAB, kLeftGuillemet, 0}, {0xB0, kDegree, 0}, {0xB7, kMiddleDot, 0}, {0xBB, kRightGuillemet, 0},
    {0xD7, kTimes, 0}, {0xF7, kDivide, 0},
    // Latin Extended-A
    {0x100, 'A', kMacron}, {0x101, 'a', kMacron}, {0x102, 'A', kBreve}, {0x103, 'a', kBreve},
    {0x104, 'A', kOgonek}, {0x105, 'a', kOgonek}, {0x106, 'C', kAcute}, {0x107, 'c', kAcute},
    {0x108, 'C', kCircumflex}, {0x109, 'c', kCircumflex}, {0x10A, 'C', kDotAbove}, {0x10B, 'c', kDotAbove},
    {0x10C, 'C', kCaron}, {0x10D, 'c', kCaron}, {0x10E, 'D', kCaron}, {0x10F, kDCaronSmall, 0},
    {0x110, kDStrokeCapital, 0}, {0x111, kDStrokeSmall, 0}, {0x112, 'E', kMacron}, {0x113, 'e', kMacron},
    {0x114, 'E', kBreve}, {0x115, 'e', kBreve}, {0x116, 'E', kDotAbove}, {0x117, 'e', kDotAbove},
    {0x118, 'E', kOgonek}, {0x119, 'e', kOgonek}, {0x11A, 'E', kCaron}, {0x11B, 'e', kCaron},
    {0x11C, 'G', kCircumflex}, {0x11D, 'g', kCircumflex}, {0x11E, 'G', kBreve}, {0x11F, 'g', kBreve},
    {0x120, 'G', kDotAbove}, {0x121, 'g', kDotAbove}, {0x122, 'G', kCommaBelow}, {0x123, 'g', kCommaAbove},
    {0x124, 'H', kCircumflex}, {0x125, 'h', kCircumflex}, {0x126, kHStrokeCapital, 0},
    {0x127, kHStrokeSmall, 0}, {0x128, 'I', kTilde}, {0x129, kDotlessI, kTilde}, {0x12A, 'I', kMacron},
    {0x12B, kDotlessI, kMacron}, {0x12C, 'I', kBreve}, {0x12D, kDotlessI, kBreve}, {0x12E, 'I', kOgonek},
    {0x12F, 'i', kOgonek}, {0x130, 'I', kDotAbove}, {0x131, kDotlessI, 0}, {0x132, kIJCapital, 0},
    {0x133, kIJSmall, 0}, {0x134, 'J', kCircumflex}, {0x135, kDotlessJ, kCircumflex},
    {0x136, 'K', kCommaBelow}, {0x137, 'k', kCommaBelow}, {0x138, kKaSmall, 0}, {0x139, 'L', kAcute},
    {0x13A, 'l', kAcute}, {0x13B, 'L', kCommaBelow}, {0x13C, 'l', kCommaBelow}, {0x13D, kLCaronCapital, 0},
    {0x13E, kLCaronSmall, 0}, {0x13F, kLDotCapital, 0}, {0x140, kLDotSmall, 0}, {0x141, kLStrokeCapital, 0},
    {0x142, kLStrokeSmall, 0}, {0x143, 'N', kAcute}, {0x144, 'n', kAcute}, {0x145, 'N', kCommaBelow},
    {0x146, 'n', kCommaBelow}, {0x147, 'N', kCaron}, {0x148, 'n', kCaron}, {0x149, kApostropheN, 0},
    {0x14A, kEngCapital, 0}, {0x14B, kEngSmall, 0}, {0x14C, 'O', kMacron}, {0x14D, 'o', kMacron},
    {0x14E, 'O', kBreve}, {0x14F, 'o', kBreve}, {0x150, 'O', kDoubleAcute}, {0x151, 'o', kDoubleAcute},
    {0x152, kOECapital, 0}, {0x153, kOESmall, 0}, {0x154, 'R', kAcute}, {0x155, 'r', kAcute},
    {0x156, 'R', kCommaBelow}, {0x157, 'r', kCommaBelow}, {0x158, 'R', kCaron}, {0x159, 'r', kCaron},
    {0x15A, 'S', kAcute}, {0x15B, 's', kAcute}, {0x15C, 'S', kCircumflex}, {0x15D, 's', kCircumflex},
    {0x15E, 'S', kCedilla}, {0x15F, 's', kCedilla}, {0x160, 'S', kCaron}, {0x161, 's', kCaron},
    {0x162, 'T', kCedilla}, {0x163, 't', kCedilla}, {0x164, 'T', kCaron}, {0x165, kTCaronSmall, 0},
    {0x166, kTStrokeCapital, 0}, {0x167, kTStrokeSmall, 0}, {0x168, 'U', kTilde}, {0x169, 'u', kTilde},
    {0x16A, 'U', kMacron}, {0x16B, 'u', kMacron}, {0x16C, 'U', kBreve}, {0x16D, 'u', kBreve},
    {0x16E, 'U', kRing}, {0x16F, 'u', kRing}, {0x170, 'U', kDoubleAcute}, {0x171, 'u', kDoubleAcute},
    {0x172, 'U', kOgonek}, {0x173, 'u', kOgonek}, {0x174, 'W', kCircumflex}, {0x175, 'w', kCircumflex},
    {0x176, 'Y', kCircumflex}, {0x177, 'y', kCircumflex}, {0x178, 'Y', kDiaeresis}, {0x179, 'Z', kAcute},
    {0x17A, 'z', kAcute}, {0x17B, 'Z', kDotAbove}, {0x17C, 'z', kDotAbove}, {0x17D, 'Z', kCaron},
    {0x17E, 'z', kCaron}, {0x17F, kLongS, 0},
    // Romanian comma below; the dotless j
    {0x218, 'S', kCommaBelow}, {0x219, 's', kCommaBelow}, {0x21A, 'T', kCommaBelow},
    {0x21B, 't', kCommaBelow}, {0x237, kDotlessJ, 0}, {0x2BC, kApostrophe, 0},
    // Greek
    {0x37E, ';', 0}, {0x386, 'A', kCapitalTonos}, {0x388, 'E', kCapitalTonos},
    {0x389, 'H', kCapitalTonos}, {0x38A, 'I', kCapitalTonos}, {0x38C, 'O', kCapitalTonos},
    {0x38E, 'Y', kCapitalTonos}, {0x38F, kGreekOmega, kCapitalTonos}, {0x390, kIota, kDialytikaTonos},
    {0x391, 'A', 0}, {0x392, 'B', 0}, {0x393, kGreekGamma, 0}, {0x394, kGreekDelta, 0},
    {0x395, 'E', 0}, {0x396, 'Z', 0}, {0x397, 'H', 0}, {0x398, kGreekTheta, 0},
    {0x399, 'I', 0}, {0x39A, 'K', 0}, {0x39B, kGreekLambda, 0}, {0x39C, 'M', 0},
    {0x39D, 'N', 0}, {0x39E, kGreekXi, 0}, {0x39F, 'O', 0}, {0x3A0, kGreekPi, 0},
    {0x3A1, 'P', 0}, {0x3A3, kGreekSigma, 0}, {0x3A4, 'T', 0}, {0x3A5, 'Y', 0},
    {0x3A6, kGreekPhi, 0}, {0x3A7, 'X', 0}, {0x3A8, kGreekPsi, 0}, {0x3A9, kGreekOmega, 0},
    {0x3AA, 'I', kDiaeresis}, {0x3AB, 'Y', kDiaeresis}, {0x3AC, kAlpha, kTonos}, {0x3AD, kEpsilon, kTonos},
    {0x3AE, kEta, kTonos}, {0x3AF, kIota, kTonos}, {0x3B0, kUpsilon, kDialytikaTonos},
    {0x3B1, kAlpha, 0}, {0x3B2, kBeta, 0}, {0x3B3, kGamma, 0}, {0x3B4, kDelta, 0},
    {0x3B5, kEpsilon, 0}, {0x3B6, kZeta, 0}, {0x3B7, kEta, 0}, {0x3B8, kTheta, 0},
    {0x3B9, kIota, 0}, {0x3BA, kKappa, 0}, {0x3BB, kLambda, 0}, {0x3BC, kMu, 0},
    {0x3BD, kNu, 0}, {0x3BE, kXi, 0}, {0x3BF, 'o', 0}, {0x3C0, kPi, 0},
    {0x3C1, kRho, 0}, {0x3C2, kFinalSigma, 0}, {0x3C3, kSigma, 0}, {0x3C4, kTau, 0},
    {0x3C5, kUpsilon, 0}, {0x3C6, kPhi, 0}, {0x3C7, kChi, 0}, {0x3C8, kPsi, 0},
    {0x3C9, kOmega, 0}, {0x3CA, kIota, kDiaeresis}, {0x3CB, kUpsilon, kDiaeresis},
    {0x3CC, 'o', kTonos}, {0x3CD, kUpsilon, kTonos}, {0x3CE, kOmega, kTonos},
    // Cyrillic
    {0x400, 'E', kGrave}, {0x401, 'E', kDiaeresis}, {0x403, kGreekGamma, kAcute}, {0x404, kUkrainianIe, 0},
    {0x405, 'S', 0}, {0x406, 'I', 0}, {0x407, 'I', kDiaeresis}, {0x408, 'J', 0},
    {0x40C, 'K', kAcute}, {0x40D, kI, kGrave}, {0x40E, kU, kBreve},
    {0x410, 'A', 0}, {0x411, kBe, 0}, {0x412, 'B', 0}, {0x413, kGreekGamma, 0},
    {0x414, kDe, 0}, {0x415, 'E', 0}, {0x416, kZhe, 0}, {0x417, kZe, 0},
    {0x418, kI, 0}, {0x419, kI, kBreve}, {0x41A, 'K', 0}, {0x41B, kEl, 0},
    {0x41C, 'M', 0}, {0x41D, 'H', 0}, {0x41E, 'O', 0}, {0x41F, kGreekPi, 0},
    {0x420, 'P', 0}, {0x421, 'C', 0}, {0x422, 'T', 0}, {0x423, kU, 0},
    {0x424, kGreekPhi, 0}, {0x425, 'X', 0}, {0x426, kTse, 0}, {0x427, kChe, 0},
    {0x428, kSha, 0}, {0x429, kShcha, 0}, {0x42A, kHard, 0}, {0x42B, kYeru, 0},
    {0x42C, kSoft, 0}, {0x42D, kE, 0}, {0x42E, kYu, 0}, {0x42F, kYa, 0},
    {0x430, 'a', 0}, {0x431, kBeSmall, 0}, {0x432, kVeSmall, 0}, {0x433, kGheSmall, 0},
    {0x434, kDeSmall, 0}, {0x435, 'e', 0}, {0x436, kZheSmall, 0}, {0x437, kZeSmall, 0},
    {0x438, kISmall, 0}, {0x439, kISmall, kBreve}, {0x43A, kKaSmall, 0}, {0x43B, kElSmall, 0},
    {0x43C, kEmSmall, 0}, {0x43D, kEnSmall, 0}, {0x43E, 'o', 0}, {0x43F, kPeSmall, 0},
    {0x440, 'p', 0}, {0x441, 'c', 0}, {0x442, kTeSmall, 0}, {0x443, 'y', 0},
    {0x444, kEfSmall, 0}, {0x445, 'x', 0}, {0x446, kTseSmall, 0}, {0x447, kCheSmall, 0},
    {0x448, kShaSmall, 0}, {0x449, kShchaSmall, 0}, {0x44A, kHardSmall, 0}, {0x44B, kYeruSmall, 0},
    {0x44C, kSoftSmall, 0}, {0x44D, kESmall, 0}, {0x44E, kYuSmall, 0}, {0x44F, kYaSmall, 0},
    {0x450, 'e', kGrave}, {0x451, 'e', kDiaeresis}, {0x453, kGheSmall, kAcute}, {0x454, kUkrainianIeSmall, 0},
    {0x455, 's', 0}, {0x456, 'i', 0}, {0x457, kDotlessI, kDiaeresis}, {0x458, 'j', 0},
    {0x45C, kKaSmall, kAcute}, {0x45D, kISmall, kGrave}, {0x45E, 'y', kBreve},
    {0x490, kGheUpturn, 0}, {0x491, kGheUpturnSmall, 0},
    // punctuation
    {0x2010, kHyphen, 0}, {0x2011, kHyphen, 0}, {0x2013, kHyphen, 0}, {0x2014, kHyphen, 0},
    {0x2018, kApostrophe, 0}, {0x2019, kApostrophe, 0}, {0x201C, kQuote, 0}, {0x201D, kQuote, 0},
    {0x201E, kLowQuote, 0},
};
// clang-format on

constexpr std::array<WideGlyphInfo, kWideGlyphCount> BuildInfo() {
    std::array<WideGlyphInfo, kWideGlyphCount> info{};
    for (auto& i : info) i = {6, 10, 0, false, false};
    for (const GlyphTraits& t : kTraits) {
        info[t.glyph - kWideFirst] = {t.heightClass, t.advance, t.capital, t.isCapital, t.raises};
    }
    return info;
}

constexpr bool SortedByCode() {
    for (std::size_t k = 1; k < std::size(kCharacters); ++k) {
        if (kCharacters[k - 1].code >= kCharacters[k].code) return false;
    }
    return true;
}
static_assert(SortedByCode(), "wide characters out of order");

constexpr auto kBuilt = BuildStrokeFont<kWideStrokeWords, kWideGlyphCount>(kShapes, kWideFirst);

}  // namespace

constinit const std::array<int16_t, kWideStrokeWords> kWideStrokeTable = kBuilt.strokes;
constinit const std::array<int16_t, kWideGlyphCount + 1> kWideGlyphIndex = kBuilt.index;
constinit const std::array<WideGlyphInfo, kWideGlyphCount> kWideGlyphs = BuildInfo();
constinit const std::span<const WideCharacter> kWideCharacters{kCharacters};

const WideCharacter* FindWideCharacter(char32_t code) {
    const auto* at = std::lower_bound(std::begin(kCharacters), std::end(kCharacters), code,
                                      [](const WideCharacter& c, char32_t k) { return c.code < k; });
    return at != std::end(kCharacters) && at->code == code ? at : nullptr;
}

}  // namespace plotfont
