// outfile_test.cpp - the complete-or-nothing output file that every writer
// of osk goes through: used directly (the plot library's exports, the
// recordings) and through CDib::Write.  Links, permissions (as an ordinary
// user: run as root, the write happens in a child that became "nobody"),
// the longest name, and the temporary's privacy and exclusivity.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "dib/dib.h"
#include "outfile/output_file.h"
#include "tests/temp_dir.h"

#ifndef _WIN32
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Names in `dir` (not below) that look like a temporary.
int Temporaries(const fs::path& dir) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().filename().string().find(".tmp") != std::string::npos) ++count;
    }
    return count;
}

TEST(OutputFile, TemporaryIsExclusivePrivateAndLeavesOthersFilesAlone) {
    TempDir dir(TempDir::Use::Entered);
#ifndef _WIN32
    const mode_t oldMask = umask(0);
#endif
    // Someone's own file under the name the first temporary would have.
    WriteAll("clip.gif.tmp0", "mine");
    OutputFile first;
    OutputFile second;
    ASSERT_TRUE(first.Open("clip.gif")) << first.Error();
    ASSERT_TRUE(second.Open("clip.gif")) << second.Error();
    EXPECT_NE(first.WritingPath(), second.WritingPath());
    EXPECT_NE(first.WritingPath(), "clip.gif.tmp0");
    EXPECT_NE(second.WritingPath(), "clip.gif.tmp0");
#ifndef _WIN32
    // Nobody else may read it while it is written, whatever the umask.
    EXPECT_EQ(fs::status(first.WritingPath()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
#endif
    const std::string a(100000, 'a');
    const std::string b(100000, 'b');
    for (std::size_t piece = 0; piece < 10; ++piece) {  // interleaved, as two processes would
        ASSERT_TRUE(first.Write(a.data() + piece * 10000, 10000));
        ASSERT_TRUE(second.Write(b.data() + piece * 10000, 10000));
    }
    ASSERT_TRUE(second.Commit()) << second.Error();
    ASSERT_TRUE(first.Commit()) << first.Error();
    EXPECT_EQ(ReadAll("clip.gif"), a) << "the last complete file wins, whole";
    EXPECT_EQ(ReadAll("clip.gif.tmp0"), "mine");
    EXPECT_EQ(Temporaries("."), 1);
#ifndef _WIN32
    EXPECT_EQ(fs::status("clip.gif").permissions(), fs::perms(0666)) << "the mode `>` gives under umask 0";
    umask(oldMask);
#endif
}

TEST(OutputFile, DiscardedFileLeavesTheOldOneAndNoTemporary) {
    TempDir dir(TempDir::Use::Entered);
    WriteAll("page.bmp", "old");
    {
        OutputFile file;
        ASSERT_TRUE(file.Open("page.bmp"));
        ASSERT_TRUE(file.Write("new", 3));
    }  // never committed
    EXPECT_EQ(ReadAll("page.bmp"), "old");
    OutputFile unnamed;
    EXPECT_FALSE(unnamed.Open(""));
    EXPECT_EQ(Temporaries("."), 0);
}

#ifndef _WIN32

// How a writer puts its bytes under a name.
enum class Writer { OutputFile, Dib };

// A 3 x 2 image whose pixels the test owns.
struct SmallImage {
    SmallImage() {
        dib.CreateImage(3, 2, 8);
        dib.image = pixels;
    }
    ~SmallImage() { dib.image = nullptr; }
    SmallImage(const SmallImage&) = delete;
    SmallImage& operator=(const SmallImage&) = delete;
    unsigned char pixels[8] = {1, 2, 3, 0, 4, 5, 6, 0};
    CDib dib;
};

// The bytes the writer writes: any content for the file, a small image for CDib.
std::string Payload(Writer writer) {
    if (writer == Writer::OutputFile) return std::string(5000, 'n');
    SmallImage small;
    DibMemoryStream stream;
    small.dib.Write(stream);
    return {stream.Bytes().begin(), stream.Bytes().end()};
}

// Writes and says why it failed ("" when it did not).
std::string WriteWith(Writer writer, const std::string& target) {
    if (writer == Writer::OutputFile) {
        const std::string bytes = Payload(writer);
        OutputFile file;
        if (!file.Open(target)) return file.Error();
        if (!file.Write(bytes.data(), bytes.size()) || !file.Commit()) return file.Error();
        return "";
    }
    SmallImage small;
    const DibMessageHook previous = SetDibMessageHook([](const char*) {});
    const bool ok = small.dib.Write(target.c_str());
    SetDibMessageHook(previous);
    return ok ? "" : "failed";
}

// The ordinary user the permission cases run as: ourselves, or nobody when root.
uid_t UserId() { return geteuid() == 0 ? 65534 : geteuid(); }
gid_t UserGroup() { return geteuid() == 0 ? 65534 : getegid(); }

// `write` in a child process that runs as the ordinary user; its result
// comes back through a pipe.
std::string AsUser(const std::function<std::string()>& write) {
    int channel[2];
    if (pipe(channel) != 0) return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        bool dropped = true;
        if (geteuid() == 0) {
            dropped = setgroups(0, nullptr) == 0 && setgid(UserGroup()) == 0 && setuid(UserId()) == 0;
        }
        const std::string result = dropped ? write() : "cannot become an ordinary user";
        const std::string message = result.empty() ? "ok" : result;
        (void)!::write(channel[1], message.data(), message.size());
        _exit(0);
    }
    close(channel[1]);
    std::string result;
    char buffer[256];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, static_cast<std::size_t>(n));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return result == "ok" ? "" : result.empty() ? "the child ended without a word" : result;
}

void OwnedByUser(const fs::path& path) {
    if (lchown(path.c_str(), UserId(), UserGroup()) != 0) ADD_FAILURE() << "cannot give away " << path;
}

struct Case {
    const char* name;
    bool asUser;                  // the write runs as an ordinary user
    std::function<void()> setUp;  // in the (entered) test directory
    const char* target;
    const char* failure;                                    // nullptr: it succeeds; else the reason (OutputFile's)
    std::function<void(const std::string& written)> check;  // what is there afterwards
};

std::ostream& operator<<(std::ostream& out, const Case& c) { return out << c.name; }

const Case kCases[] = {
    {"LinkKeepsPointingAtItsFile", false,
     [] {
         WriteAll("real.bmp", "old");
         fs::create_symlink("real.bmp", "link.bmp");
     },
     "link.bmp", nullptr,
     [](const std::string& written) {
         EXPECT_TRUE(fs::is_symlink("link.bmp"));
         EXPECT_EQ(fs::read_symlink("link.bmp"), "real.bmp");
         EXPECT_EQ(ReadAll("real.bmp"), written);
     }},
    {"DanglingLinkGetsItsFileFromTheLinksDirectory", false,
     [] {
         fs::create_directory("sub");
         fs::create_symlink("../made.bmp", "sub/link.bmp");
         fs::create_symlink("sub/link.bmp", "chain.bmp");
     },
     "chain.bmp", nullptr,
     [](const std::string& written) {
         EXPECT_TRUE(fs::is_symlink("chain.bmp"));
         EXPECT_TRUE(fs::is_symlink("sub/link.bmp"));
         EXPECT_EQ(ReadAll("made.bmp"), written);
     }},
    {"LinkLoopFailsAsTheShellDoes", false,
     [] {
         fs::create_symlink("b.bmp", "a.bmp");
         fs::create_symlink("a.bmp", "b.bmp");
     },
     "a.bmp", "Too many levels of symbolic links", [](const std::string&) { EXPECT_TRUE(fs::is_symlink("a.bmp")); }},
    {"ReplacedFileKeepsItsMode", false,
     [] {
         WriteAll("private.bmp", "old");
         fs::permissions("private.bmp", fs::perms(0604));
     },
     "private.bmp", nullptr,
     [](const std::string& written) {
         EXPECT_EQ(ReadAll("private.bmp"), written);
         EXPECT_EQ(fs::status("private.bmp").permissions(), fs::perms(0604));
     }},
    {"NewFileGetsTheModeOfTheUmask", false, [] {}, "new.bmp", nullptr,
     [](const std::string& written) {
         EXPECT_EQ(ReadAll("new.bmp"), written);
         EXPECT_EQ(fs::status("new.bmp").permissions(), fs::perms(0640)) << "umask 027";
     }},
    {"LongestNameIsWritten", false, [] {}, nullptr, nullptr,
     [](const std::string& written) { EXPECT_EQ(ReadAll(std::string(251, 'n') + ".bmp"), written); }},
    {"WriteProtectedFileIsRefusedInTheUsersOwnDirectory", true,
     [] {
         fs::create_directory("mine");
         OwnedByUser("mine");
         WriteAll("mine/a.bmp", "old");
         OwnedByUser("mine/a.bmp");
         fs::permissions("mine/a.bmp", fs::perms(0444));
     },
     "mine/a.bmp", "Permission denied",
     [](const std::string&) {
         EXPECT_EQ(ReadAll("mine/a.bmp"), "old");
         EXPECT_EQ(Temporaries("mine"), 0);
     }},
    {"WritableFileInALockedDirectoryIsWrittenInPlace", true,
     [] {
         fs::create_directory("locked");
         WriteAll("locked/a.bmp", "old");
         OwnedByUser("locked/a.bmp");
         fs::permissions("locked", fs::perms(0555));
     },
     "locked/a.bmp", nullptr,
     [](const std::string& written) {
         EXPECT_EQ(ReadAll("locked/a.bmp"), written);
         EXPECT_EQ(Temporaries("locked"), 0);
         fs::permissions("locked", fs::perms(0755));
     }},
    {"NewFileInALockedDirectoryIsRefused", true,
     [] {
         fs::create_directory("locked");
         fs::permissions("locked", fs::perms(0555));
     },
     "locked/b.bmp", "Permission denied",
     [](const std::string&) {
         EXPECT_TRUE(fs::is_empty("locked"));
         fs::permissions("locked", fs::perms(0755));
     }},
};

class OutputFileCase : public testing::TestWithParam<std::tuple<Case, Writer>> {};

TEST_P(OutputFileCase, BehavesAsTheShellsRedirection) {
    const Case& c = std::get<0>(GetParam());
    const Writer writer = std::get<1>(GetParam());
    TempDir dir(TempDir::Use::Entered);
    fs::permissions(dir.path(), fs::perms(0755));  // the ordinary user may enter it
    const mode_t oldMask = umask(027);
    c.setUp();
    const std::string target = c.target ? c.target : std::string(251, 'n') + ".bmp";
    const std::string reason = c.asUser ? AsUser([&] { return WriteWith(writer, target); }) : WriteWith(writer, target);
    umask(oldMask);
    if (!c.failure) {
        EXPECT_EQ(reason, "");
    } else if (writer == Writer::OutputFile) {
        EXPECT_EQ(reason, c.failure);
    } else {
        EXPECT_EQ(reason, "failed");
    }
    c.check(Payload(writer));
    EXPECT_EQ(Temporaries("."), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, OutputFileCase,
                         testing::Combine(testing::ValuesIn(kCases), testing::Values(Writer::OutputFile, Writer::Dib)),
                         [](const testing::TestParamInfo<std::tuple<Case, Writer>>& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == Writer::Dib ? "_CDib" : "_OutputFile");
                         });

#endif  // !_WIN32

}  // namespace
