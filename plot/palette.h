// palette.h - names for the entries of the fixed palette that PLOTOPEN
// builds (plot/setup.cpp holds the colours), for programs and tests that
// draw with them.  Entry 0 is black as well, 32..255 are greys.
#pragma once

namespace plot_palette {

inline constexpr int kWhite = 1;
inline constexpr int kRed = 2;
inline constexpr int kGreen = 3;
inline constexpr int kBlue = 4;
inline constexpr int kYellow = 5;
inline constexpr int kCyan = 6;
inline constexpr int kMagenta = 7;
inline constexpr int kLightGrey = 8;
inline constexpr int kForestGreen = 10;
inline constexpr int kLightBlue = 11;  // the colour of kSkyBlue
inline constexpr int kPurple = 14;
inline constexpr int kPaleGrey = 15;
inline constexpr int kBlack = 16;
inline constexpr int kSilver = 20;
inline constexpr int kDarkGrey = 22;
inline constexpr int kSkyBlue = 24;
inline constexpr int kPink = 26;
inline constexpr int kPaleMagenta = 31;

}  // namespace plot_palette
