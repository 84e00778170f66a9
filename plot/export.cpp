// export.cpp - the page as an 8-bit BMP file under a numbered file name.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "outfile/output_file.h"
#include "plot/internal.h"
#include "plot/plot.h"

namespace {

// The numbering goes on past 999 with more digits; it gives up (and leaves
// fileName empty, so that nothing is overwritten) only after this many.
constexpr int kLastNumber = 99999;

// Whether anything is there under the name: also a file no one may read
// and a link to a file not yet there.  A name that cannot be looked up (a
// missing directory) is free; writing to it reports why it fails.
bool FileExists(const char* name) {
    std::error_code ec;
    const std::filesystem::file_type type = std::filesystem::symlink_status(name, ec).type();
    return type != std::filesystem::file_type::not_found && type != std::filesystem::file_type::none;
}

int DigitsOf(int number) { return number >= 1000 ? static_cast<int>(std::to_string(number).size()) : 3; }

// Where the first collision puts the number, and how many digits of an
// existing number ("000" or "001" before the last dot) it replaces.
void ChooseNumberPosition(const std::string& name, int* position, int* replaced) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) {  // no dot: append
        *position = static_cast<int>(name.size());
        *replaced = 0;
    } else if (dot >= 3 && name[dot - 3] == '0' && name[dot - 2] == '0' &&
               (name[dot - 1] == '0' || name[dot - 1] == '1')) {
        *position = static_cast<int>(dot - 3);  // overwrite the number there
        *replaced = 3;
    } else {  // insert before the dot (also for a dot in the first three places)
        *position = static_cast<int>(dot);
        *replaced = 0;
    }
}

void GiveUp(const char* why) {
    plot_internal::Print(PlotStream::Error, "NEXTFILENAME: %s for \"%s\"; no page file will be written\n", why,
                 PlotState.fileName);
    PlotState.fileName[0] = '\0';
}

}  // namespace

void NEXTFILENAME() {
    PlotStateRecord& s = PlotState;
    s.plotFile = nullptr;
    while (s.fileName[0] && FileExists(s.fileName)) {
        std::string name = s.fileName;
        s.fileCounter += 1;
        int replaced;
        if (s.fileCounter == 1 || s.numberPos < 0 ||
            s.numberPos + DigitsOf(s.fileCounter - 1) > static_cast<int>(name.size())) {
            if (s.fileCounter != 1) s.fileCounter = 1;  // the name changed under us: start over
            ChooseNumberPosition(name, &s.numberPos, &replaced);
        } else {
            replaced = DigitsOf(s.fileCounter - 1);
        }
        if (s.fileCounter > kLastNumber) {
            GiveUp("no free numbered name");
            return;
        }
        char number[16];
        std::snprintf(number, sizeof number, "%03d", s.fileCounter);
        name = name.substr(0, s.numberPos) + number + name.substr(s.numberPos + replaced);
        if (name.size() >= sizeof s.fileName) {
            GiveUp("the numbered name is too long");
            return;
        }
        std::memcpy(s.fileName, name.c_str(), name.size() + 1);
    }
}

void WRITEPAGE() {
    PlotStateRecord& s = PlotState;
    s.exportPending = 0;
    if (!s.plotFile || !s.pagePixels) {
        plot_internal::Print(PlotStream::Error, "WRITEPAGE: %s\n", s.plotFile ? "no page image" : "no open plot file");
        return;
    }
    const int paletteSize = s.paletteSize < 0 ? 0 : s.paletteSize > 256 ? 256 : s.paletteSize;
    const std::size_t size = s.imageSize > 0 ? static_cast<std::size_t>(s.imageSize) : 0;

    // No pixel of the file may carry index 10: its pixels take the lowest
    // unused index (32 when all are used), whose palette entry takes its colour.
    bool used[256] = {};
    for (std::size_t i = 0; i < size; ++i) used[s.pagePixels[i]] = true;
    if (used[10]) {
        ++plot_internal::g_pageGeneration;
        int free = 32;
        for (int k = 0; k < 256; ++k) {
            if (!used[k]) {
                free = k;
                break;
            }
        }
        for (std::size_t i = 0; i < size; ++i) {
            if (s.pagePixels[i] == 10) s.pagePixels[i] = static_cast<unsigned char>(free);
        }
        s.palette[free] = s.palette[10];
    }

    // The head as kept in the record, but with the true file size and zero
    // reserved fields, which strict readers insist on.
    unsigned char head[10];
    std::memcpy(head, s.bmpFileHead, sizeof head);
    const uint32_t fileSize = static_cast<uint32_t>(54 + 4 * paletteSize + size);
    for (int i = 0; i < 4; ++i) head[2 + i] = static_cast<unsigned char>(fileSize >> (8 * i));
    std::memset(head + 6, 0, 4);
    PlotBmpHeader header = s.bmpHeader;
    header.width = s.imageWidth;
    header.height = s.imageHeight;
    header.imageSizeBytes = static_cast<uint32_t>(size);

    std::fwrite(head, 1, sizeof head, s.plotFile);
    std::fwrite(&header, 1, sizeof header, s.plotFile);
    std::fwrite(s.palette, 4, static_cast<std::size_t>(paletteSize), s.plotFile);
    for (std::size_t done = 0; done < size;) {
        const std::size_t piece = size - done < 32768 ? size - done : 32768;
        std::fwrite(s.pagePixels + done, 1, piece, s.plotFile);
        done += piece;
    }
}

namespace plot_internal {

bool ExportPage() {
    PlotStateRecord& s = PlotState;
    if (s.plotFile) {  // a plot file the program keeps open
        WRITEPAGE();
        return true;
    }
    if (!s.pagePixels) {  // nothing to write: no file either
        Print(PlotStream::Error, "plot: cannot write the page to \"%s\": no page image\n", s.fileName);
        s.exportPending = 0;
        return false;
    }
    OutputFile out;
    if (!out.Open(s.fileName)) {
        Print(PlotStream::Error, "plot: cannot write the page to \"%s\": %s\n", s.fileName, out.Error().c_str());
        s.exportPending = 0;
        return false;
    }
    s.plotFile = out.File();
    WRITEPAGE();
    s.plotFile = nullptr;
    if (!out.Commit()) {
        Print(PlotStream::Error, "plot: cannot write the page to \"%s\": %s\n", s.fileName, out.Error().c_str());
        return false;
    }
    return true;
}

bool ClosePlotFile() {
    PlotStateRecord& s = PlotState;
    if (!s.plotFile) return true;
    const bool failed = std::ferror(s.plotFile) != 0;
    const bool closed = std::fclose(s.plotFile) == 0;
    s.plotFile = nullptr;
    if (!closed || failed) {
        Print(PlotStream::Error, "plot: writing the page to \"%s\" failed\n", s.fileName);
        return false;
    }
    return true;
}

}  // namespace plot_internal
