// pin_locale.cpp - part of every test program: no test depends on the
// machine's locale.  The texts are the ones as written (C), for the tests
// and for the programs they start; a test that wants a language says so.
#include <cstdlib>

#include "tests/posix_compat.h"  // setenv and unsetenv on Windows too

namespace {

[[maybe_unused]] const bool kLocalePinned = [] {
    setenv("LC_ALL", "C", 1);
    unsetenv("LANGUAGE");
    return true;
}();

}  // namespace
