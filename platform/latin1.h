// latin1.h - the page's and the title strip's text is Latin-1 (what the
// stroke and strip fonts draw); what comes in from catalogues, the keyboard
// and file names is UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "utf8/utf8.h"  // Latin1ToUtf8, NextCodePoint

// UTF-8 to Latin-1: a letter outside Latin-1's printable range (U+00A0 to
// U+00FF), or a broken sequence, becomes '?'.
std::string Utf8ToLatin1(std::string_view utf8);
