// main.cpp - the process entry of osk: the one place where the shell and
// the wave demonstration meet.
#include "app/cmdline.h"
#include "demo/driver.h"

int main(int argc, char** argv) { return OskMain(argc, argv, WaveDemoMain); }
