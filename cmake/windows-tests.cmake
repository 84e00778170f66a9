# The tests of the Windows build (tests/CMakeLists.txt), each program a
# test run under wine.  Left out: what reads PNG or GIF files back (no
# libpng or giflib for Windows here) and the demonstration's tests, which
# start the program through a POSIX shell: the Linux build's demo_tests
# drive osk.exe instead (OSK_BINARY), below.
set(OSK_TESTS_LEFT_OUT plot_png_test.cpp app_headless_test.cpp)
# The settings file: where it lives is the platform's choice, not
# XDG_CONFIG_HOME on Windows.
set(OSK_TESTS_FILTER_app -StartUp.AFileArgumentOpensTheEmptyDocumentUnderItsName:RecentFiles.*)
osk_test_group(plot plot plotpng)
osk_test_group(waves waves)
osk_test_group(dib dib)
osk_test_group(app app)
