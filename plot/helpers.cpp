// helpers.cpp - number formatting and buffer helpers.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "plot/internal.h"
#include "plot/plot.h"

int OCTVALUE(int n) {
    // The absolute value, with the most negative int read as 2147483648.
    const unsigned magnitude = n >= 0 ? static_cast<unsigned>(n) : 0u - static_cast<unsigned>(n);
    // Its decimal digits, most significant first (every box and dot asks
    // for its style here, so no formatting call).
    char digits[12];
    int count = 0;
    for (unsigned rest = magnitude;; rest /= 10) {
        digits[count++] = static_cast<char>('0' + rest % 10);
        if (rest < 10) break;
    }
    std::reverse(digits, digits + count);
    // The leading run of digits 0..7 is read as an octal number; an 8 or 9
    // ends it.  With no octal digit at the front the value stays as it was.
    unsigned value = 0;
    int used = 0;
    for (; used < count && digits[used] <= '7'; ++used) {
        value = value * 8 + static_cast<unsigned>(digits[used] - '0');
    }
    return static_cast<int>(used > 0 ? value : magnitude);
}

void ZEROWORDS(uint32_t* words, int count) {
    for (int i = 0; i < count; ++i) words[i] = 0;
}

void BLANKFILL(char* bytes, int count) {
    for (int i = 0; i < count; ++i) bytes[i] = ' ';
}

namespace plot_internal {

void CopyText(char* field, std::size_t capacity, const char* text) {
    if (capacity == 0) return;
    if (!text) text = "";
    const std::size_t length = strnlen(text, capacity - 1);
    std::memcpy(field, text, length);
    field[length] = '\0';
}

}  // namespace plot_internal
