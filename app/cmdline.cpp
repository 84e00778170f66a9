// cmdline.cpp - the command line, the choice of backend and the start.
#include "app/cmdline.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "app/catalogue.h"
#include "app/controls.h"
#include "app/key_table.h"
#include "app/page_recorder.h"
#include "app/screen_size.h"
#include "app/shell.h"
#include "platform/headless/headless.h"
#include "platform/process_signals.h"
#include "res/resource.h"
#if defined(OSK_HAVE_WIN32)
#include "platform/win32/win32_backend.h"
#elif defined(OSK_HAVE_SDL)
#include "platform/sdl/sdl_backend.h"
#endif

namespace {

// The exit status of a run whose dumps or recording could not be written
// completely (the demonstration itself went on).
constexpr int kOutputFailedStatus = 3;
// A run ended by a signal says which, as the shell does: 128 + its number.
constexpr int kSignalStatusBase = 128;

// The run on `backend`, its screen refreshes dumped and recorded as the
// options ask; the GIF's last frame lasts until the run's end.  An output
// that cannot be written is reported by the recorder and stops; the run
// goes on and then ends with kOutputFailedStatus.  A run that an interrupt
// or a termination request ended (as a closed window) keeps its outputs too.
int RunRecorded(Backend& backend, const char* file, int (*mainRoutine)(), const OskOptions& options) {
    PageRecorder recorder;
    std::string error;
    recorder.Open({options.dumpDir, options.recordFile, options.dumpFormat}, error);
    const int result = OskWinMain(&backend, file, mainRoutine, &recorder);
    recorder.Close(backend.WallClock());
    if (StopSignal() != 0) return kSignalStatusBase + StopSignal();
    return result == 0 && recorder.Failed() ? kOutputFailedStatus : result;
}

// The whole script file; false with the reason (a directory is no script).
bool ReadScript(const std::string& path, std::string& text, std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = std::strerror(EISDIR);
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return false;
    }
    std::ostringstream all;
    all << in.rdbuf();
    if (in.bad()) {
        error = "read error";
        return false;
    }
    text = all.str();
    return true;
}

// --lang, else the environment as gettext reads it.  An unknown code is no
// failure: English, and a note.
void ChooseLanguage(const OskOptions& options) {
    if (!options.languageGiven) {
        SetLanguage(LanguageFromEnvironment());
    } else if (!SetLanguage(options.language)) {
        std::fprintf(stderr, "osk: no texts in the language '%s'; English is used\n", options.language.c_str());
    }
}

}  // namespace

namespace {

// The codes of the built-in catalogues, "de, en, ...".
std::string LanguageList() {
    std::vector<std::string> codes;
    for (std::size_t i = 0; i < kBuiltInCatalogueCount; ++i) codes.emplace_back(kBuiltInCatalogues[i].code);
    std::sort(codes.begin(), codes.end());
    std::string list;
    for (const std::string& code : codes) list += (list.empty() ? "" : ", ") + code;
    return list;
}

}  // namespace

std::string OskUsageText() {
    const char* keyIndent = "                                    ";
    return std::string(
               "usage: osk [FILE]                 the demonstration in a window; the buttons' keys\n"
               "                                  (PageDown and PageUp for a presenter's remote):\n") +
           KeyLines(KeyGroup::Button, keyIndent, true) +
           "                                  teaching aids, each off at the start:\n" +
           KeyLines(KeyGroup::Aid, keyIndent, true) + "                                  around the page:\n" +
           KeyLines(KeyGroup::Shell, keyIndent, true) +
           "       osk --headless [options]   the same without a window system\n"
           "         --script FILE            input events, one a line (without a script the run\n"
           "                                  ends at its start, as if the window were closed):\n"
           "                                    click X Y | rclick X Y | key NAME | wait SECONDS | close\n"
           "                                    (client points; the page's top-left pixel is " +
           std::to_string(kPageOrigin.x) + " " + std::to_string(kPageOrigin.y) +
           ";\n"
           "                                    keys: a-z 0-9 space enter tab escape backspace left\n"
           "                                    right up down delete insert pageup pagedown f1-f12\n"
           "                                    minus plus, with ctrl+ shift+ alt+)\n"
           "         --screen WxH             the screen size reported (default " +
           DefaultScreenText() +
           ")\n"
           "       with or without --headless:\n"
           "         --dump DIR               write DIR/refresh-NNNNN.bmp and DIR/refreshes.txt\n"
           "                                  at every screen refresh\n"
           "         --dump-format png        write the dumps as PNG (refresh-NNNNN.png); default bmp\n"
           "         --record FILE.gif        animated GIF of the refreshes, timed by the clock\n"
           "                                  (each file appears only when complete; an output\n"
           "                                  that cannot be written is reported and stops, the\n"
           "                                  run goes on and ends with status 3)\n"
           "       in every mode:\n"
           "         --lang CODE              the language of the program's texts (" +
           LanguageList() +
           ";\n"
           "                                  C: as written); default: from LANGUAGE, LC_ALL,\n"
           "                                  LC_MESSAGES or LANG; the keys stay the same letters\n"
           "         --aids LIST              teaching aids on from the start; LIST is comma-separated:\n"
           "                                  mark (the 12th particle), mark=N[+N...] (particles 1-64),\n"
           "                                  wavelength, graph, both; keys m, w, g, c; a click on a\n"
           "                                  particle marks it (default: none)\n"
           "       osk --help | --version\n"
           "exit status: 0 after Quit, a closed window or the end of a script; 1 failed start;\n"
           "             2 usage error; 3 an output could not be written; 130 or 143 a\n"
           "             run ended by SIGINT or SIGTERM (its outputs kept)\n";
}

std::string OskVersionText() {
    const ResVersion& v = *kOskResources.version;
    char line[256];
    std::snprintf(line, sizeof line, "osk %u.%u.%u.%u\n%s\n%s\n", v.fileVersion[0], v.fileVersion[1],
                  v.fileVersion[2], v.fileVersion[3], v.productName, v.fileDescription);
    return line;
}

namespace {

bool ParseArguments(int argc, const char* const* argv, OskOptions& options, std::string& error) {
    options = OskOptions{};
    bool headlessOnly = false;
    std::string headlessOption;
    bool endOfOptions = false;
    bool dumpFormatGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (!endOfOptions && arg == "--") {
            endOfOptions = true;
            continue;
        }
        if (!endOfOptions && arg.size() > 1 && arg[0] == '-') {
            std::string value;
            bool hasValue = false;
            if (const std::size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
                value = arg.substr(eq + 1);
                arg.erase(eq);
                hasValue = true;
            }
            auto takeValue = [&](std::string& out) {
                if (!hasValue) {
                    if (i + 1 >= argc) {
                        error = arg + " needs a value";
                        return false;
                    }
                    value = argv[++i];
                }
                if (value.empty()) {
                    error = arg + " needs a value";
                    return false;
                }
                out = value;
                return true;
            };
            if (arg == "--help" || arg == "-h") {
                options.help = true;
            } else if (arg == "--version") {
                options.version = true;
            } else if (arg == "--headless") {
                options.headless = true;
            } else if (arg == "--dump-format") {
                std::string v;
                if (!takeValue(v)) return false;
                if (v != "bmp" && v != "png") {
                    error = "--dump-format wants bmp or png, not '" + v + "'";
                    return false;
                }
                options.dumpFormat = v == "png" ? DumpFormat::Png : DumpFormat::Bmp;
                dumpFormatGiven = true;
                continue;
            } else if (arg == "--aids") {
                std::string v;
                if (!takeValue(v)) return false;
                if (!ParseAidList(v, options.aids, error)) return false;
                continue;
            } else if (arg == "--lang") {
                if (!takeValue(options.language)) return false;
                options.languageGiven = true;
                continue;
            } else if (arg == "--script" || arg == "--dump" || arg == "--record" || arg == "--screen") {
                std::string v;
                if (!takeValue(v)) return false;
                if (arg == "--script" || arg == "--screen") {
                    headlessOnly = true;
                    headlessOption = arg;
                }
                if (arg == "--script") options.script = v;
                if (arg == "--dump") options.dumpDir = v;
                if (arg == "--record") options.recordFile = v;
                if (arg == "--screen" && !ParseScreenSize(v, options.screenWidth, options.screenHeight)) {
                    error = "--screen wants " + ScreenSizeRule() + ", not '" + v + "'";
                    return false;
                }
                continue;
            } else {
                error = "unknown option '" + arg + "'";
                return false;
            }
            if (hasValue) {
                error = arg + " takes no value";
                return false;
            }
            continue;
        }
        if (options.haveFile) {
            error = "unexpected argument '" + arg + "' (only one FILE)";
            return false;
        }
        options.haveFile = true;
        options.file = arg;
    }
    if (dumpFormatGiven && options.dumpDir.empty() && !options.help && !options.version) {
        error = "--dump-format needs --dump";
        return false;
    }
    if (headlessOnly && !options.headless && !options.help && !options.version) {
        error = headlessOption + " needs --headless";
        return false;
    }
    return true;
}

}  // namespace

bool ParseOskArguments(int argc, const char* const* argv, OskOptions& options, std::string& error) {
    if (ParseArguments(argc, argv, options, error)) return true;
    // The message echoes what was typed; control characters in it (a line
    // feed inside an argument) must not break it into several lines.
    for (char& c : error) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    }
    return false;
}

int OskMain(int argc, const char* const* argv, int (*mainRoutine)()) {
    IgnoreFileSizeSignal();  // a file size limit fails the write, as a full disk does
    OskOptions options;
    std::string error;
    if (!ParseOskArguments(argc, argv, options, error)) {
        std::fprintf(stderr, "osk: %s (try --help)\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(OskUsageText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::fputs(OskVersionText().c_str(), stdout);
        return 0;
    }
    ChooseLanguage(options);
    SetAids(options.aids);
    AfxSetResources(&kOskResources);
    const char* file = options.haveFile ? options.file.c_str() : nullptr;

    if (options.headless) {
        HeadlessOptions headless;
        headless.screenWidth = options.screenWidth;
        headless.screenHeight = options.screenHeight;
        std::string text;
        if (options.script.empty()) {
            std::fprintf(stderr, "osk: no --script given: no input, so the run ended at its start\n");
        } else if (!ReadScript(options.script, text, error)) {
            std::fprintf(stderr, "osk: cannot read script %s: %s\n", options.script.c_str(), error.c_str());
            return 2;
        }
        ScriptError scriptError;
        if (!ParseScript(text, headless.events, scriptError)) {
            std::fprintf(stderr, "osk: script line %d: %s\n", scriptError.line, scriptError.message.c_str());
            return 2;
        }
        HeadlessBackend backend(std::move(headless));
        EndRunOnStopSignals();
        return RunRecorded(backend, file, mainRoutine, options);
    }

    const ResIcon* icon = kOskResources.icon;
    [[maybe_unused]] const IconPixels iconPixels = icon ? IconPixels{icon->width, icon->height, icon->pixels} : IconPixels{};
#if defined(OSK_HAVE_WIN32)
    // The desktop of the session: there is always one to open.
    std::unique_ptr<Win32Backend> backend = Win32Backend::Open(iconPixels, error);
    if (!backend) {
        std::fprintf(stderr, "osk: %s; run 'osk --headless' to use it without a window\n", error.c_str());
        return 1;
    }
    return RunRecorded(*backend, file, mainRoutine, options);
#else
#ifdef OSK_HAVE_SDL
    const bool canOpenDisplay = SdlBackend::CanOpenDisplay();
#else
    const bool canOpenDisplay = !NamedDisplay().empty();
#endif
    if (!canOpenDisplay) {
        std::fprintf(stderr,
                     "osk: no display available (DISPLAY and WAYLAND_DISPLAY are unset); "
                     "run 'osk --headless' to use it without a window system\n");
        return 2;
    }
#ifdef OSK_HAVE_SDL
    bool noDisplay = false;
    std::unique_ptr<SdlBackend> backend = SdlBackend::Open(iconPixels, error, noDisplay);
    if (!backend) {
        std::fprintf(stderr, "osk: no display available (%s); run 'osk --headless' to use it without a window system\n",
                     error.c_str());
        return noDisplay ? 2 : 1;
    }
    EndRunOnStopSignals();
    return RunRecorded(*backend, file, mainRoutine, options);
#else
    std::fprintf(stderr, "osk: built without a window backend; run 'osk --headless'\n");
    return 2;
#endif
#endif
}
