// aid_words.cpp - the teaching aids in words.
#include "app/aid_words.h"

#include <cstdio>
#include <utility>

#include "app/catalogue.h"

namespace {

// The text with each {name} replaced by its value.
std::string Fill(const char* text, std::initializer_list<std::pair<const char*, std::string>> values) {
    std::string out = Tr(text);
    for (const auto& [name, value] : values) {
        const std::string key = std::string("{") + name + "}";
        for (std::size_t at = out.find(key); at != std::string::npos; at = out.find(key, at + value.size())) {
            out.replace(at, key.size(), value);
        }
    }
    return out;
}

// Up to two decimals, none when whole: 24, 1.2, 0.96.
std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string s = text;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

std::string ParticleList(const std::vector<int>& marked) {
    std::string list;
    for (std::size_t i = 0; i < marked.size(); ++i) {
        if (i > 0) list += i + 1 == marked.size() ? Tr(N_(" and ")) : ", ";
        list += std::to_string(marked[i]);
    }
    return list;
}

// v = lambda / T in spacings per frame.
std::string Speed(const AidScene& scene) {
    const double v = scene.periodFrames > 0.0 ? scene.wavelength / scene.periodFrames : 0.0;
    // The model's phases are single precision: v is 1 to about 1e-7.
    const std::string shown = Number(v);
    if (shown == "1") return Tr(N_("one spacing per frame"));
    return Fill(N_("{v} spacings per frame"), {{"v", shown}});
}

std::string Marks(const AidState& aids, const AidScene& scene) {
    const bool one = aids.marked.size() == 1;
    const char* text = nullptr;
    if (aids.both) {
        text = one ? N_("Particle {n} swings along the chain in the longitudinal wave and across it in the "
                        "transversal wave, around its rest position; both waves move right, {speed}.")
                   : N_("Particles {n} swing along the chain in the longitudinal wave and across it in the "
                        "transversal wave, around their rest positions; both waves move right, {speed}.");
    } else if (scene.longitudinal) {
        text = one ? N_("Particle {n} swings along the chain around its rest position; the wave moves right, "
                        "{speed}.")
                   : N_("Particles {n} swing along the chain around their rest positions; the wave moves right, "
                        "{speed}.");
    } else {
        text = one ? N_("Particle {n} swings across the chain around its rest position; the wave moves right, "
                        "{speed}.")
                   : N_("Particles {n} swing across the chain around their rest positions; the wave moves right, "
                        "{speed}.");
    }
    return Fill(text, {{"n", ParticleList(aids.marked)}, {"speed", Speed(scene)}});
}

std::string Wavelength(const AidScene& scene) {
    return Fill(N_("The bracket \u03bb spans one wavelength, {lambda} spacings, between two particles in the "
                   "same phase; the period T is {frames} frames, {seconds} s at this speed; v = \u03bb / T, "
                   "{speed}."),
                {{"lambda", Number(scene.wavelength)},
                 {"frames", Number(scene.periodFrames)},
                 {"seconds", Number(scene.periodFrames * scene.secondsPerFrame)},
                 {"speed", Speed(scene)}});
}

std::string Graph(const AidState& aids, const AidScene& scene) {
    std::string text =
        Tr(N_("The graph under the chain shows the displacement of every particle from its rest "
              "position in this frame."));
    if (aids.both || scene.longitudinal) {
        text += std::string(" ") + Tr(N_("For the longitudinal wave a second curve shows the density: the "
                                         "particles crowd where the displacement crosses zero, not at its "
                                         "crests."));
    }
    return text;
}

}  // namespace

std::string DescribeAids(const AidState& aids, const AidScene& scene) {
    std::string text;
    auto add = [&text](const std::string& sentence) { text += (text.empty() ? "" : " ") + sentence; };
    if (!aids.marked.empty()) add(Marks(aids, scene));
    if (aids.wavelength) add(Wavelength(scene));
    if (aids.graph) add(Graph(aids, scene));
    if (aids.both) {
        add(
            Tr(N_("Both waves in step: the longitudinal chain above the transversal one, in the same frame and "
                  "the same phase of the exciter.")));
    }
    if (text.empty()) add(Tr(N_("No teaching aid is on.")));
    return text;
}
