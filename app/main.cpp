// main.cpp - the process entry of osk: the one place where the shell and
// the wave demonstration meet.
#include "app/cmdline.h"
#include "demo/driver.h"
#ifdef OSK_HAVE_WIN32
#include "platform/win32/win32_backend.h"
#endif

int main(int argc, char** argv) {
#ifdef OSK_HAVE_WIN32
    Win32StartProcess();
#endif
    return OskMain(argc, argv, WaveDemoMain);
}
