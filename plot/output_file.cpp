// output_file.cpp - writing under a temporary name, renaming when complete.
#include "plot/output_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Where the bytes finally go: through a symbolic link to the file it names,
// so that replacing the file leaves the link in place.
std::string ResolvedTarget(const std::string& target) {
    std::error_code ec;
    if (!fs::is_symlink(target, ec)) return target;
    const fs::path resolved = fs::weakly_canonical(target, ec);
    return ec ? target : resolved.string();
}

}  // namespace

PlotOutputFile::~PlotOutputFile() { Discard(); }

void PlotOutputFile::Fail(int error) {
    if (error_.empty()) error_ = error ? std::strerror(error) : "write error";
}

bool PlotOutputFile::Open(const std::string& target) {
    Discard();
    error_.clear();
    target_ = ResolvedTarget(target);
    std::error_code ec;
    const fs::file_status status = fs::status(target_, ec);
    if (fs::is_directory(status)) {
        Fail(EISDIR);
        return false;
    }
    errno = 0;
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        // A device or a pipe cannot be replaced, only written to.
        temporary_.clear();
        file_ = std::fopen(target_.c_str(), "wb");
        if (!file_) Fail(errno);
        return file_ != nullptr;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_ = target_ + ".tmp" + std::to_string(attempt);
        errno = 0;
        file_ = std::fopen(temporary_.c_str(), "wbx");  // a name no one else writes
        if (file_ || errno != EEXIST) break;
    }
    if (!file_) {
        Fail(errno ? errno : EEXIST);
        temporary_.clear();
        return false;
    }
    return true;
}

bool PlotOutputFile::Write(const void* data, std::size_t size) {
    if (!file_ || !error_.empty()) return false;
    errno = 0;
    if (size != 0 && std::fwrite(data, 1, size, file_) != size) {
        Fail(errno);
        return false;
    }
    return true;
}

bool PlotOutputFile::Commit() {
    if (!file_) {
        if (error_.empty()) error_ = "not open";
        return false;
    }
    errno = 0;
    if (std::fflush(file_) != 0) Fail(errno);
    if (std::ferror(file_)) Fail(0);
    errno = 0;
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (closed != 0) Fail(errno);
    if (error_.empty() && !temporary_.empty()) {
        // The file that was there keeps its permissions.
        std::error_code ec;
        const fs::file_status old = fs::status(target_, ec);
        if (!ec && fs::is_regular_file(old)) fs::permissions(temporary_, old.permissions(), ec);
        // std::filesystem::rename replaces the target on every system.
        fs::rename(temporary_, target_, ec);
        if (ec) error_ = ec.message();
    }
    if (!error_.empty()) {
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void PlotOutputFile::Discard() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty()) std::remove(temporary_.c_str());
    temporary_.clear();
}
