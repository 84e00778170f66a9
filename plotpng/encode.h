// encode.h - the PNG encoder behind PlotWritePngImage, one per system.
#pragma once

#include <cstdint>
#include <string>

class OutputFile;

// Writes an 8-bit palette PNG of `pixels` (rows bottom first, `width` bytes
// each) with the first `colourCount` entries of `palette` (0x00RRGGBB) into
// `file` (a failed write ends the encoding with the file's reason); false
// with a reason.
bool PlotEncodePng(OutputFile* file, const unsigned char* pixels, int width, int height, const std::uint32_t* palette,
                   int colourCount, std::string& reason);
