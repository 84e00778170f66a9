// The teaching aids in words, as the web page's live region says them: the
// readouts come from the wave model, the sentence fits the wave shown, and
// every catalogue fills in every value.
#include <gtest/gtest.h>

#include <string>

#include "app/aid_words.h"
#include "app/catalogue.h"
#include "demo/aid_pictures.h"
#include "demo/driver.h"

namespace {

AidScene Scene(const DemoWave& wave, int slowdown) {
    const WaveReadouts model = ComputeReadouts(wave.period * slowdown);
    AidScene scene;
    scene.longitudinal = &wave == &kLongitudinalWave;
    scene.wavelength = model.wavelength;
    scene.periodFrames = model.periodFrames;
    scene.secondsPerFrame = wave.period * slowdown;
    return scene;
}

bool Has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(AidWords, SayWhatTheAidsShowWithTheModelsReadouts) {
    SetLanguage("");
    AidState aids;
    aids.marked = {12};
    EXPECT_EQ(DescribeAids(aids, Scene(kLongitudinalWave, 1)),
              "Particle 12 swings along the chain around its rest position; the wave moves right, one spacing per "
              "frame.");
    aids.marked = {6, 12, 18};
    EXPECT_TRUE(Has(DescribeAids(aids, Scene(kTransversalWave, 1)),
                    "Particles 6, 12 and 18 swing across the chain around their rest positions"));
    aids.both = true;
    const std::string both = DescribeAids(aids, Scene(kTransversalWave, 1));
    EXPECT_TRUE(Has(both, "along the chain in the longitudinal wave and across it in the transversal wave")) << both;
    EXPECT_TRUE(Has(both, "Both waves in step")) << both;

    // The model's wave: 24 spacings, 24 frames; at 1/2 speed a longitudinal
    // frame takes 0.1 s, so a period 2.4 s.
    aids = AidState{};
    aids.wavelength = true;
    const std::string wavelength = DescribeAids(aids, Scene(kLongitudinalWave, 2));
    EXPECT_TRUE(Has(wavelength, "one wavelength, 24 spacings,")) << wavelength;
    EXPECT_TRUE(Has(wavelength, "T is 24 frames, 2.4 s at this speed; v = \u03bb / T, one spacing per frame."))
        << wavelength;
    EXPECT_TRUE(Has(DescribeAids(aids, Scene(kTransversalWave, 1)), "24 frames, 0.96 s"));

    // The density is the longitudinal wave's.
    aids.wavelength = false;
    aids.graph = true;
    EXPECT_TRUE(Has(DescribeAids(aids, Scene(kLongitudinalWave, 1)), "density"));
    EXPECT_FALSE(Has(DescribeAids(aids, Scene(kTransversalWave, 1)), "density"));
    EXPECT_EQ(DescribeAids(AidState{}, Scene(kLongitudinalWave, 1)), "No teaching aid is on.");
}

// In every language every value is filled in and the numbers are those of
// the model.
TEST(AidWords, EveryLanguageFillsInEveryValue) {
    AidState all;
    all.wavelength = all.graph = all.both = true;
    for (const auto& marks : {std::vector<int>{12}, std::vector<int>{6, 12}}) {
        all.marked = marks;
        for (std::size_t i = 0; i < kBuiltInCatalogueCount; ++i) {
            ASSERT_TRUE(SetLanguage(kBuiltInCatalogues[i].code));
            for (const DemoWave* wave : {&kLongitudinalWave, &kTransversalWave}) {
                all.both = wave == &kLongitudinalWave;
                const std::string words = DescribeAids(all, Scene(*wave, 4));
                SCOPED_TRACE(std::string(kBuiltInCatalogues[i].code) + ": " + words);
                EXPECT_EQ(words.find('{'), std::string::npos);
                EXPECT_TRUE(Has(words, "24")) << "lambda and T";
                EXPECT_TRUE(Has(words, wave == &kLongitudinalWave ? "4.8" : "3.84")) << "T in seconds at 1/4 speed";
                EXPECT_TRUE(Has(words, "12")) << "the marked particle";
            }
        }
    }
    SetLanguage("");
}
