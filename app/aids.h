// aids.h - the teaching aids a user turns on around the wave chain: marked
// particles, one wavelength with its readouts, a snapshot graph and both
// waves in step.  All off by default; then no page differs from one without
// this module.
//
// The state lives in the shell so that every way in (keys in every backend,
// --aids on the command line, ?aids= in the web address, the web page's
// toggles) reaches the same record; the demonstration reads it and draws it.
//
//   M   marked particles: none -> the 12th -> every sixth -> none
//   W   one wavelength: the bracket and its readouts
//   G   the snapshot graph under the chain
//   C   both waves in step, one above the other
// A click on a particle (not on a button) marks or unmarks it, up to four.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Particles that can be marked: 1 .. 64 (0 is the exciter, drawn in red).
constexpr int kFirstMarkable = 1;
constexpr int kLastMarkable = 64;
// The first step of M and the spacing of its second step.
constexpr int kFirstMarkedParticle = 12;
constexpr int kMarkSpacing = 6;
// Marks made by clicks stop at four.
constexpr int kMaxSingleMarks = 4;

struct AidState {
    std::vector<int> marked;  // particle numbers, ascending, no repeats
    bool wavelength = false;
    bool graph = false;
    bool both = false;

    bool operator==(const AidState&) const = default;
};

// The aids now.  Every change below counts up AidGeneration().
const AidState& CurrentAids();
void SetAids(const AidState& aids);
unsigned AidGeneration();
// True when any aid is on (else every page is exactly as without aids).
bool AnyAidOn(const AidState& aids);
bool IsMarked(const AidState& aids, int particle);

// M: none -> {12} -> {6, 12, ..., 60} -> none; marks made one by one count
// as a step of their own and go to none.
void CycleMarks();
// A click on a particle: marks it, or unmarks it when it was marked.  False
// (nothing changed) for a particle outside 1..64 or a fifth single mark.
bool ToggleMark(int particle);
void ToggleWavelength();
void ToggleGraph();
void ToggleBoth();

// The aid keys M, W, G, C (either case; not with Ctrl or Alt): toggles the
// aid and asks the plot view for a redraw, a click on no button, so that a
// program waiting for a click shows the change at once.  False for any
// other key.
bool HandleAidKey(unsigned key, unsigned mods);
// The wake-up that HandleAidKey calls after a change, and that other ways
// in (the web page's toggles) call after theirs: by default a click posted
// to the plot view at the page's top-left corner; SetAidWake(null) for none.
void SetAidWake(void (*wake)());
void WakeForAids();

// ---- the page the aids need (page units, 28 across) ----

constexpr float kAidPageWidth = 28.0f;
constexpr float kPlainPageHeight = 4.0f;  // title band 1 over one chain band 3
constexpr float kTitleBandHeight = 1.0f;
constexpr float kChainBandHeight = 3.0f;
constexpr float kBracketBandHeight = 0.8f;  // over each chain, for the wavelength
constexpr float kGraphBandHeight = 3.6f;    // one snapshot graph
constexpr float kReadoutBandHeight = 0.6f;  // the wavelength's readouts, at the foot

// The bands from the top: the title band, then per chain its bracket band
// (wavelength) and its chain band, then a graph per chain, then the
// readouts.  Heights above the page's foot.
struct AidLayout {
    float pageHeight = kPlainPageHeight;
    int chains = 1;                       // 2 with both waves
    float chainBottom[2] = {0.0f, 0.0f};  // foot of each chain band
    float graphBottom[2] = {0.0f, 0.0f};  // foot of each graph band (graph on)
    float readoutBottom = 0.0f;           // foot of the readout band (wavelength on)
};
AidLayout LayoutAids(const AidState& aids);

// `--aids LIST` / `?aids=LIST`: comma-separated items
//   mark              the 12th particle (M's first step)
//   mark=N[+N...]     particles N (1..64)
//   wavelength | graph | both
// Items add up; a repeated item is harmless.  False with a one-line error
// (without a program prefix) for an empty list, an empty or unknown item or
// a bad particle number; `aids` is then unchanged.
bool ParseAidList(std::string_view list, AidState& aids, std::string& error);

// The list that gives these aids (ParseAidList's inverse; "" for none).
std::string FormatAidList(const AidState& aids);
