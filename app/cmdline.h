// cmdline.h - the osk command line:
//     osk [FILE]                  the demonstration in a window
//     osk --headless [options]    the same without a window system:
//       --script FILE             input events (platform/headless/script.h)
//       --screen WxH              the screen size reported (default 1024x768)
//     with or without --headless:
//       --dump DIR                the page at every screen refresh
//       --dump-format bmp|png     the dumps' file format (default bmp)
//       --record FILE.gif         animated GIF of the refreshes
//     in every mode:
//       --lang CODE               the language of the texts (default: the
//                                 environment's, app/catalogue.h)
//       --aids LIST               teaching aids on from the start (app/aids.h)
//     osk --help | --version
// Exit status: the main routine's result (0 after "Quit", also when the
// window was closed or a script ran out); 1 for a failed start; 2 for a
// usage error (unknown option, bad script line, no display); 3 when an
// output could not be written; 128 + the signal (130, 143) when SIGINT or
// SIGTERM ended the run (headless or SDL window), its outputs completed and kept.
#pragma once

#include <string>

#include "app/aids.h"
#include "app/page_recorder.h"
#include "platform/backend_defaults.h"

struct OskOptions {
    bool help = false;
    bool version = false;
    bool headless = false;
    std::string script;
    std::string dumpDir;
    DumpFormat dumpFormat = DumpFormat::Bmp;
    std::string recordFile;
    int screenWidth = kDefaultScreenWidth;
    int screenHeight = kDefaultScreenHeight;
    bool languageGiven = false;
    std::string language;
    AidState aids;  // --aids, added up over every --aids given
    bool haveFile = false;
    std::string file;
};

// False with a one-line message (without the "osk: " prefix) on a usage error.
bool ParseOskArguments(int argc, const char* const* argv, OskOptions& options, std::string& error);

// The whole process: arguments, backend, framework, main routine.
int OskMain(int argc, const char* const* argv, int (*mainRoutine)());

// Texts of --help and --version.
std::string OskUsageText();
std::string OskVersionText();
