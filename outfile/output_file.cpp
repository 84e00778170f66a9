// output_file.cpp - writing under an exclusive temporary name, syncing and
// renaming when complete.
#include "outfile/output_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr int kTemporaryAttempts = 100;
// The most links followed from the target, as the system's own limit.
constexpr int kMaxLinks = 40;
// Bytes of the target's name kept in the temporary's: with ".tmp99" well
// within the 255 bytes a name may have.
constexpr std::size_t kMaxKeptName = 200;

bool IsSeparator(char c) {
#ifdef _WIN32
    return c == '/' || c == '\\' || c == ':';
#else
    return c == '/';
#endif
}

// "dir/" of "dir/name" (with its separator), "" for a bare name.
std::string DirectoryOf(const std::string& path) {
    std::size_t end = path.size();
    while (end > 0 && !IsSeparator(path[end - 1])) --end;
    return path.substr(0, end);
}

// The temporary's name for `target`: the target's name, cut on a character
// boundary (never inside a UTF-8 sequence) to a bounded length, and ".tmpN".
std::string TemporaryName(const std::string& target, int attempt) {
    const std::string directory = DirectoryOf(target);
    std::string name = target.substr(directory.size());
    if (name.size() > kMaxKeptName) {
        std::size_t cut = kMaxKeptName;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.resize(cut);
    }
    return directory + name + ".tmp" + std::to_string(attempt);
}

// What is at a path now.
struct Existing {
    bool exists = false;
    bool directory = false;
    bool regular = false;
    unsigned mode = 0;
    long owner = -1;
    long group = -1;
};

#ifdef _WIN32

// Narrow file names are in the process's code page, as the C library's.
std::wstring Widen(const std::string& text) {
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? static_cast<std::size_t>(n) : 1u, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    wide.resize(wide.size() - 1);
    return wide;
}

int ErrnoOf(DWORD code) {
    switch (code) {
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ENOSPC;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return ENOENT;
        default: return EIO;
    }
}

// Symbolic links on Windows are the system's business: the path is used as given.
bool ResolveLinks(const std::string& target, std::string& resolved, int* /*error*/) {
    resolved = target;
    return true;
}

Existing Examine(const std::string& path) {
    Existing e;
    struct _stat64 st {};
    if (_wstat64(Widen(path).c_str(), &st) != 0) return e;
    e.exists = true;
    e.directory = (st.st_mode & _S_IFMT) == _S_IFDIR;
    e.regular = (st.st_mode & _S_IFMT) == _S_IFREG;
    return e;
}

bool MayWrite(const std::string& path, int* error) {
    if (_waccess(Widen(path).c_str(), 2) == 0) return true;
    *error = errno;
    return false;
}

unsigned NewFileMode() { return 0; }

// A new file only this process writes (the C library's "x" mode is not
// honoured by every Windows C library); -1 with errno.
int CreateExclusive(const std::string& path) {
    int fd = -1;
    const errno_t failed =
        _wsopen_s(&fd, Widen(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _SH_DENYNO,
                  _S_IREAD | _S_IWRITE);
    if (failed != 0) {
        errno = failed;
        return -1;
    }
    return fd;
}

std::FILE* StreamOf(int fd) {
    std::FILE* file = _fdopen(fd, "wb");
    if (!file) _close(fd);
    return file;
}

// A new file's attributes are the directory's; a replaced one was writable.
bool SetFinalMode(std::FILE* /*file*/, unsigned /*mode*/, long /*owner*/, long /*group*/, int* /*error*/) {
    return true;
}

bool SyncFile(std::FILE* file, int* error) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (FlushFileBuffers(handle)) return true;
    *error = ErrnoOf(GetLastError());
    return false;
}

bool RenameOnto(const std::string& from, const std::string& to, int* error) {
    if (MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    *error = ErrnoOf(GetLastError());
    return false;
}

// MOVEFILE_WRITE_THROUGH has put the rename on the disk.
void SyncDirectory(const std::string& /*directory*/) {}

#else

// Where the bytes finally go: through symbolic links (a relative one read
// from the link's own directory) to the file they name, whether that file
// exists yet or not, so that the links stay as they are.
bool ResolveLinks(const std::string& target, std::string& resolved, int* error) {
    namespace fs = std::filesystem;
    fs::path path = target;
    for (int links = 0;; ++links) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) break;
        if (links == kMaxLinks) {
            *error = ELOOP;
            return false;
        }
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) {
            *error = ec.value();
            return false;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    resolved = path.string();
    return true;
}

Existing Examine(const std::string& path) {
    Existing e;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return e;
    e.exists = true;
    e.directory = S_ISDIR(st.st_mode);
    e.regular = S_ISREG(st.st_mode);
    e.mode = st.st_mode & 07777u;
    e.owner = static_cast<long>(st.st_uid);
    e.group = static_cast<long>(st.st_gid);
    return e;
}

// Whether the shell's `>` could write the file (permissions, a read-only system).
bool MayWrite(const std::string& path, int* error) {
    if (access(path.c_str(), W_OK) == 0) return true;
    *error = errno;
    return false;
}

// What a new file gets from `>`: 0666 less the umask (which can only be
// read by setting it).
unsigned NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666u & ~static_cast<unsigned>(mask);
}

// A new file no one else writes, readable only by its owner; -1 with errno.
int CreateExclusive(const std::string& path) {
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0600);
}

std::FILE* StreamOf(int fd) {
    std::FILE* file = fdopen(fd, "wb");
    if (!file) close(fd);
    return file;
}

// The replaced file's owner (where the process may give it) and mode.
bool SetFinalMode(std::FILE* file, unsigned mode, long owner, long group, int* error) {
    const int fd = fileno(file);
    if (owner >= 0 && fchown(fd, static_cast<uid_t>(owner), static_cast<gid_t>(group)) != 0) {
        // Only the group then, as an ordinary user may give a group of their own.
        if (fchown(fd, static_cast<uid_t>(-1), static_cast<gid_t>(group)) != 0) errno = 0;
    }
    if (fchmod(fd, static_cast<mode_t>(mode)) == 0) return true;
    *error = errno;
    return false;
}

// The bytes on the disk; a file system that cannot sync is no failure.
bool SyncFile(std::FILE* file, int* error) {
    if (fsync(fileno(file)) == 0 || errno == EINVAL || errno == ENOTSUP || errno == EROFS) return true;
    *error = errno;
    return false;
}

bool RenameOnto(const std::string& from, const std::string& to, int* error) {
    if (std::rename(from.c_str(), to.c_str()) == 0) return true;
    *error = errno;
    return false;
}

// The rename on the disk.  The file is in place by now, so a directory
// that cannot be synced is not reported.
void SyncDirectory(const std::string& directory) {
    const int fd = open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

#endif

}  // namespace

OutputFile::~OutputFile() { Discard(); }

void OutputFile::Fail(int error) {
    if (error_.empty()) error_ = error ? std::strerror(error) : "write error";
}

bool OutputFile::Open(const std::string& target) {
    Discard();
    error_.clear();
    replacing_ = false;
    ownerId_ = groupId_ = -1;
    int error = 0;
    if (target.empty()) {  // no name: nothing to make a temporary beside
        Fail(ENOENT);
        return false;
    }
    if (!ResolveLinks(target, target_, &error)) {
        Fail(error);
        return false;
    }
    const Existing existing = Examine(target_);
    if (existing.directory) {
        Fail(EISDIR);
        return false;
    }
    if (existing.exists && !existing.regular) return OpenInPlace();  // a device or a pipe
    if (existing.exists) {
        if (!MayWrite(target_, &error)) {  // as `>` would refuse it
            Fail(error);
            return false;
        }
        replacing_ = true;
        finalMode_ = existing.mode;
        ownerId_ = existing.owner;
        groupId_ = existing.group;
    } else {
        finalMode_ = NewFileMode();
    }
    if (OpenTemporary(&error)) return true;
    // No file can be made beside a writable one: it is written in place, as `>` does.
    if (replacing_ && (error == EACCES || error == EPERM)) return OpenInPlace();
    Fail(error);
    return false;
}

bool OutputFile::OpenInPlace() {
    temporary_.clear();
    errno = 0;
    file_ = std::fopen(target_.c_str(), "wb");
    if (!file_) Fail(errno);
    return file_ != nullptr;
}

bool OutputFile::OpenTemporary(int* error) {
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        const std::string name = TemporaryName(target_, attempt);
        errno = 0;
        const int fd = CreateExclusive(name);
        if (fd < 0) {
            *error = errno ? errno : EIO;
            if (*error == EEXIST) continue;  // someone else's: the next name
            return false;
        }
        temporary_ = name;
        file_ = StreamOf(fd);
        if (file_) return true;
        *error = errno ? errno : EIO;
        std::remove(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    return false;  // *error is EEXIST
}

bool OutputFile::Write(const void* data, std::size_t size) {
    if (!file_ || !error_.empty()) return false;
    errno = 0;
    if (size != 0 && std::fwrite(data, 1, size, file_) != size) {
        Fail(errno);
        return false;
    }
    return true;
}

// Everything written reaches the disk before the file gets its name.
bool OutputFile::SyncAndClose() {
    int error = 0;
    errno = 0;
    if (std::fflush(file_) != 0) Fail(errno);
    if (std::ferror(file_)) Fail(0);
    if (error_.empty() && !temporary_.empty() && !SetFinalMode(file_, finalMode_, ownerId_, groupId_, &error)) {
        Fail(error);
    }
    if (error_.empty() && (replacing_ || !temporary_.empty()) && !SyncFile(file_, &error)) Fail(error);
    errno = 0;
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (closed != 0) Fail(errno);
    return error_.empty();
}

bool OutputFile::Commit() {
    if (!file_) {
        if (error_.empty()) error_ = "not open";
        return false;
    }
    int error = 0;
    if (SyncAndClose() && !temporary_.empty()) {
        if (RenameOnto(temporary_, target_, &error)) {
            SyncDirectory(DirectoryOf(target_));
        } else {
            Fail(error);
        }
    }
    if (!error_.empty()) {
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void OutputFile::Discard() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty()) std::remove(temporary_.c_str());
    temporary_.clear();
}
