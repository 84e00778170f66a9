// latin1.cpp - UTF-8 to Latin-1 and back.
#include "platform/latin1.h"

std::string Utf8ToLatin1(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        // The length of the sequence, then its code point.
        const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        unsigned code = length == 2 ? c & 0x1F : length == 3 ? c & 0x0F : c & 0x07;
        int taken = 1;
        while (taken < length && i + taken < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + taken]) & 0xC0) == 0x80) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + taken]) & 0x3F);
            ++taken;
        }
        const bool whole = length > 1 && taken == length;
        out += whole && code >= 0xA0 && code <= 0xFF ? static_cast<char>(code) : '?';
        i += taken;
    }
    return out;
}

std::string Latin1ToUtf8(std::string_view latin1) {
    std::string out;
    for (const char ch : latin1) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

char32_t NextCodePoint(std::string_view utf8, std::size_t& at) {
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
