// aid_words.h - what the teaching aids on show, in words, in the user's
// language: for a screen reader (the web page's live region) and anyone who
// wants the picture said.
#pragma once

#include <string>

#include "app/aids.h"

// What the words need besides the aids: the wave shown and its readouts.
struct AidScene {
    bool longitudinal = true;      // the wave shown (both are, with the aid "both")
    double wavelength = 0.0;       // lambda in particle spacings
    double periodFrames = 0.0;     // T in frames
    double secondsPerFrame = 0.0;  // at the current speed (slow motion stretches it)
};

// One sentence or two for every aid on, in the order M, W, G, C; a note that
// none is on when none is.
std::string DescribeAids(const AidState& aids, const AidScene& scene);
