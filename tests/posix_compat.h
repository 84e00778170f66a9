// posix_compat.h - the few POSIX calls the tests use (temporary directories,
// the environment), also in the Windows build, whose tests run under wine.
#pragma once

#ifdef _WIN32
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

// Replaces the trailing XXXXXX of `pattern` and creates that directory.
inline char* mkdtemp(char* pattern) {
    const std::size_t n = std::strlen(pattern);
    if (n < 6 || std::strcmp(pattern + n - 6, "XXXXXX") != 0) return nullptr;
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (std::size_t i = n - 6; i < n; ++i) pattern[i] = kLetters[random() % (sizeof kLetters - 1)];
        std::error_code ec;
        if (std::filesystem::create_directory(pattern, ec)) return pattern;
    }
    return nullptr;
}
inline int setenv(const char* name, const char* value, int overwrite) {
    if (!overwrite && std::getenv(name)) return 0;
    return _putenv_s(name, value);
}
inline int unsetenv(const char* name) { return _putenv_s(name, ""); }
#else
#include <unistd.h>
#endif
