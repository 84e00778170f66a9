// utf8.h - reading and writing UTF-8, for the plot library's text and the
// platform's strings alike.  Header only, standard library only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The character of UTF-8 text that starts at `at`, which moves past it; a
// broken, overlong or surrogate sequence gives U+FFFD for its first byte.
inline char32_t NextCodePoint(std::string_view utf8, std::size_t& at) {
    constexpr char32_t kBad = 0xFFFD;
    const auto byte = [&utf8](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    const unsigned lead = byte(at);
    const int size = lead < 0x80                    ? 1
                     : lead >= 0xC2 && lead <= 0xDF ? 2
                     : lead >= 0xE0 && lead <= 0xEF ? 3
                     : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                    : 0;
    char32_t code = size == 1 ? lead : size == 2 ? lead & 0x1F : size == 3 ? lead & 0x0F : lead & 0x07;
    int taken = 1;
    while (taken < size && at + taken < utf8.size() && (byte(at + taken) & 0xC0) == 0x80) {
        code = (code << 6) | (byte(at + taken) & 0x3F);
        ++taken;
    }
    const bool whole = size != 0 && taken == size;
    const bool shortest = size < 3 || (size == 3 && code >= 0x800) || (size == 4 && code >= 0x10000);
    const bool scalar = code < 0xD800 || (code > 0xDFFF && code <= 0x10FFFF);
    if (!whole || !shortest || !scalar) {
        ++at;
        return kBad;
    }
    at += static_cast<std::size_t>(size);
    return code;
}

// Latin-1 to UTF-8.
inline std::string Latin1ToUtf8(std::string_view latin1) {
    std::string out;
    for (const char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}
