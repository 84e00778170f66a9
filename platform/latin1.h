// latin1.h - the page's and the title strip's text is Latin-1 (what the
// stroke and strip fonts draw); what comes in from catalogues, the keyboard
// and file names is UTF-8.
#pragma once

#include <string>
#include <string_view>

// UTF-8 to Latin-1: a letter outside Latin-1's printable range (U+00A0 to
// U+00FF), or a broken sequence, becomes '?'.
std::string Utf8ToLatin1(std::string_view utf8);
// Latin-1 to UTF-8.
std::string Latin1ToUtf8(std::string_view latin1);
// The character of UTF-8 text that starts at `at`, which moves past it; a
// broken, overlong or surrogate sequence gives U+FFFD for its first byte.
char32_t NextCodePoint(std::string_view utf8, std::size_t& at);
