// main.cpp - the process entry of osk: the one place where the shell and
// the wave demonstration meet.
#include "app/cmdline.h"
#include "demo/driver.h"
#ifdef OSK_HAVE_WIN32
#include <string>
#include <vector>

#include "platform/win32/win32_backend.h"
#endif

int main(int argc, char** argv) {
#ifdef OSK_HAVE_WIN32
    // The arguments as UTF-8 (the system hands them over in the local code page).
    const std::vector<std::string> arguments = Win32StartProcess();
    std::vector<const char*> utf8;
    for (const std::string& a : arguments) utf8.push_back(a.c_str());
    utf8.push_back(nullptr);
    if (!arguments.empty()) return OskMain(static_cast<int>(arguments.size()), utf8.data(), WaveDemoMain);
#endif
    return OskMain(argc, argv, WaveDemoMain);
}
