// temp_dir.h - the private temporary directory of the tests and benchmarks,
// removed with everything in it.  Entered, it is the working directory while
// it lives (what the file-name search and page export touch); as the
// configuration home, XDG_CONFIG_HOME points at its "config" as well.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "tests/posix_compat.h"  // mkdtemp, setenv, unsetenv on Windows too

class TempDir {
public:
    enum class Use { Aside, Entered, EnteredAsConfigHome };

    explicit TempDir(Use use = Use::Aside) {
        std::string pattern = (std::filesystem::temp_directory_path() / "osk-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
        path_ = pattern;
        if (use != Use::Aside) {
            oldWorkingDir_ = std::filesystem::current_path();
            std::filesystem::current_path(path_);
        }
        if (use == Use::EnteredAsConfigHome) {
            const char* xdg = std::getenv("XDG_CONFIG_HOME");
            oldConfigHome_ = xdg ? std::optional<std::string>(xdg) : std::nullopt;
            setenv("XDG_CONFIG_HOME", (path_ / "config").string().c_str(), 1);
            configHomeSet_ = true;
        }
    }
    ~TempDir() {
        if (configHomeSet_) {
            if (oldConfigHome_) {
                setenv("XDG_CONFIG_HOME", oldConfigHome_->c_str(), 1);
            } else {
                unsetenv("XDG_CONFIG_HOME");
            }
        }
        std::error_code ignored;
        if (!oldWorkingDir_.empty()) std::filesystem::current_path(oldWorkingDir_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path of `name` inside, as a string.
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_, oldWorkingDir_;
    std::optional<std::string> oldConfigHome_;
    bool configHomeSet_ = false;
};
