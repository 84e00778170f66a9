// main.cpp - the process entry of osk.
#include "app/cmdline.h"
#ifdef OSK_HAVE_DEMO
#include "demo/driver.h"
#else
#include "app/shell.h"
#endif

int main(int argc, char** argv) {
#ifdef OSK_HAVE_DEMO
    return OskMain(argc, argv, WaveDemoMain);
#else
    return OskMain(argc, argv, ShellExerciseMain);
#endif
}
