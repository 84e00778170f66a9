// app_output_failure_test.cpp - the osk executable writing its dumps and
// recording where writing fails: a device that is always full, a file size
// limit, a path through a regular file and a disk that fills during the run.
// Each run must go on to its end, say once per failed output which file
// failed and why, end with status 3, and leave under real names only
// complete, readable files, refreshes.txt listing exactly the dumps there.
// A run interrupted by a signal, headless or in a window, ends as Quit does,
// its outputs kept whole.
#include <gif_lib.h>
#include <png.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <thread>

#include "app_support.h"
#include "dib/dib.h"

namespace {

namespace fs = std::filesystem;

struct FailingTarget {
    const char* name;
    bool privateDisk;                // osk writes to a small tmpfs of its own at disk/
    const char* prefix;              // shell commands before osk runs (limits)
    const char* outputs;             // osk's output options; the dumps go to d/ or disk/d/
    std::vector<std::string> lines;  // what standard error must say, one line each
};

std::ostream& operator<<(std::ostream& out, const FailingTarget& t) { return out << t.name; }

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

bool ReadableBmp(const fs::path& path) {
    const DibMessageHook previous = SetDibMessageHook([](const char*) {});
    CDib dib;
    const bool ok = dib.Read(path.c_str()) && dib.GetDimensions() == DibSize{1008, 144} &&
                    fs::file_size(path) == 54 + 1024 + 1008u * 144u;
    SetDibMessageHook(previous);
    return ok;
}

bool ReadablePng(const fs::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_GRAY;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    const bool ok = png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) && image.width == 1008;
    png_image_free(&image);
    return ok;
}

bool ReadableGif(const fs::path& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif) return false;
    const bool ok = DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0;
    DGifCloseFile(gif, &error);
    return ok;
}

// Every file under `root`: complete and readable, no temporary left, and
// refreshes.txt (where dumps were made) naming exactly the dumps there.
void ExpectOnlyCompleteFiles(const fs::path& root) {
    std::set<std::string> dumps;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        const fs::path& path = entry.path();
        const std::string name = path.filename().string();
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << "a temporary is left: " << path;
        const fs::path type = path.extension();
        const bool readable = type == ".bmp"   ? ReadableBmp(path)
                              : type == ".png" ? ReadablePng(path)
                              : type == ".gif" ? ReadableGif(path)
                                               : true;
        EXPECT_TRUE(readable) << "incomplete or unreadable: " << path;
        if (name.rfind("refresh-", 0) == 0) dumps.insert(name.substr(8, 5));
    }
    const fs::path log = root / "d" / "refreshes.txt";
    if (!fs::exists(log)) {
        EXPECT_TRUE(dumps.empty()) << "dumps without refreshes.txt";
        return;
    }
    std::set<std::string> listed;
    std::istringstream lines(ReadAll(log));
    for (std::string line; std::getline(lines, line);) listed.insert(line.substr(0, line.find('\t')));
    EXPECT_EQ(listed, dumps) << "refreshes.txt lists exactly the dumps there";
}

class FailingOutput : public testing::TestWithParam<FailingTarget> {};

TEST_P(FailingOutput, IsReportedOnceStopsCleanlyAndEndsWithStatusThree) {
    const FailingTarget& target = GetParam();
    ShellTempDir dir;
    std::ofstream("s.osk") << "key t\nkey space\nwait 3\nkey q\n";
    std::ofstream("plain") << "a regular file";
    fs::create_directory("disk");
    fs::create_directory("seen");
    if (target.privateDisk && std::system("unshare -Urm sh -c 'mount -t tmpfs tmpfs disk' 2>reason") != 0) {
        GTEST_SKIP() << "no private mount here: " << ReadAll("reason");
    }
    // The private disk goes with its namespace: what is on it is copied out first.
    const std::string run = std::string(target.prefix) +
                            (target.privateDisk ? " mount -t tmpfs -o size=600k tmpfs disk;" : "") +
                            " " OSK_BINARY_DIR "/osk --headless --script s.osk " + target.outputs +
                            " >/dev/null 2>err; echo $? >status" + (target.privateDisk ? "; cp -a disk/. seen/" : "");
    const std::string command = (target.privateDisk ? "unshare -Urm sh -c '" : "sh -c '") + run + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    EXPECT_EQ(ReadAll("status"), "3\n");
    std::string expected;
    for (const std::string& line : target.lines) expected += line + "\n";
    EXPECT_EQ(ReadAll("err"), expected);
    ExpectOnlyCompleteFiles(target.privateDisk ? "seen" : ".");
}

INSTANTIATE_TEST_SUITE_P(
    Targets, FailingOutput,
    testing::Values(
        // The dumps are fine; the recording fails at its end.
        FailingTarget{"DeviceAlwaysFull",
                      false,
                      "",
                      "--dump d --dump-format png --record /dev/full",
                      {"osk: cannot write /dev/full: No space left on device (recording stopped, no file kept)"}},
        // The small PNG dumps fit, the growing GIF does not (the limit's
        // signal does not end osk: the write fails with EFBIG).
        FailingTarget{"FileSizeLimit",
                      false,
                      "ulimit -f 80;",
                      "--dump d --dump-format png --record x.gif",
                      {"osk: cannot write x.gif: File too large (recording stopped, no file kept)"}},
        FailingTarget{"PathThroughAFile",
                      false,
                      "",
                      "--dump plain/d --record plain/x.gif",
                      {"osk: cannot write plain/d: Not a directory (no page dumps)",
                       "osk: cannot write plain/x.gif: Not a directory (no recording)"}},
        // Four BMP dumps fill the disk; the recording cannot finish either.
        FailingTarget{"DiskFillsDuringTheRun",
                      true,
                      "",
                      "--dump disk/d --record disk/x.gif",
                      {"osk: cannot write disk/d/refresh-00005.bmp: No space left on device "
                       "(page dumps stopped; refreshes.txt lists the 4 written)",
                       "osk: cannot write disk/x.gif: No space left on device (recording stopped, no file kept)"}}),
    [](const testing::TestParamInfo<FailingTarget>& info) { return std::string(info.param.name); });

struct Interruption {
    const char* name;
    int signal;
    int status;
    bool window;  // a window run under a private X server, else headless
};

std::ostream& operator<<(std::ostream& out, const Interruption& i) { return out << i.name; }

// A private X server (Xvfb) for a window run, ended with the object; an
// empty display name where none could be started.
class PrivateXServer {
public:
    PrivateXServer() {
        int pipeFds[2];
        if (pipe(pipeFds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            // Xvfb writes its display number to descriptor 3.
            const int quiet = open("/dev/null", O_WRONLY);
            if (dup2(pipeFds[1], 3) < 0 || quiet < 0 || dup2(quiet, 1) < 0 || dup2(quiet, 2) < 0) _exit(99);
            execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(98);
        }
        close(pipeFds[1]);
        std::string number;
        char c = 0;
        while (pid_ > 0 && read(pipeFds[0], &c, 1) == 1 && c != '\n') number += c;
        close(pipeFds[0]);
        if (!number.empty()) display_ = ":" + number;
    }
    ~PrivateXServer() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;
    const std::string& Display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// Waits up to `seconds` for the child to end; its wait status, or -1 when it
// did not end (it is killed then).
int WaitForEnd(pid_t child, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return status;
}

class InterruptedRun : public testing::TestWithParam<Interruption> {};

// A long run stopped by the signal once some dumps are there: the recording
// and the dumps so far are complete and kept, the status says why.  The
// headless run is stopped while it animates, the window run while it waits
// for input on its first page.
TEST_P(InterruptedRun, KeepsTheRecordingAndTheDumpsSoFar) {
    const Interruption& interruption = GetParam();
    ShellTempDir dir;
    std::optional<PrivateXServer> xserver;
    if (interruption.window) {
        xserver.emplace();
        if (xserver->Display().empty()) GTEST_SKIP() << "no X server (Xvfb) could be started";
    }
    std::ofstream("s.osk") << "key t\nkey space\nwait 100000\nkey q\n";
    const pid_t child = fork();
    if (child == 0) {
        const int err = open("err", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (err < 0 || dup2(err, 2) < 0) _exit(99);
        if (interruption.window) {
            setenv("DISPLAY", xserver->Display().c_str(), 1);
            unsetenv("WAYLAND_DISPLAY");
            unsetenv("SDL_VIDEODRIVER");
            // The system libraries SDL loads for X keep buffers to the end.
            const char* asan = std::getenv("ASAN_OPTIONS");
            setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
            execl(OSK_BINARY_DIR "/osk", "osk", "--dump", "d", "--dump-format", "png", "--record", "x.gif",
                  static_cast<char*>(nullptr));
        } else {
            execl(OSK_BINARY_DIR "/osk", "osk", "--headless", "--script", "s.osk", "--dump", "d", "--dump-format",
                  "png", "--record", "x.gif", static_cast<char*>(nullptr));
        }
        _exit(98);
    }
    ASSERT_GT(child, 0);
    const char* awaited = interruption.window ? "d/refresh-00001.png" : "d/refresh-00005.png";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!fs::exists(awaited) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (interruption.window) std::this_thread::sleep_for(std::chrono::milliseconds(300));  // asleep in its wait
    kill(child, interruption.signal);
    const int status = WaitForEnd(child, 20);
    ASSERT_NE(status, -1) << "the run did not end on the signal; " << ReadAll("err");
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), interruption.status);
    EXPECT_EQ(ReadAll("err"), "");
    EXPECT_TRUE(ReadableGif("x.gif"));
    EXPECT_TRUE(fs::exists("d/refreshes.txt"));
    ExpectOnlyCompleteFiles(".");
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedRun,
                         testing::Values(Interruption{"Interrupt", SIGINT, 130, false},
                                         Interruption{"Termination", SIGTERM, 143, false},
                                         Interruption{"WindowInterrupt", SIGINT, 130, true},
                                         Interruption{"WindowTermination", SIGTERM, 143, true}),
                         [](const testing::TestParamInfo<Interruption>& info) { return std::string(info.param.name); });

}  // namespace
