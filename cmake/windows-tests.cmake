# The tests of the Windows build (tests/CMakeLists.txt), each program a
# test run under wine.  Left out: what reads PNG or GIF files back (no
# libpng or giflib for Windows here) and the demonstration's tests, which
# start the program through a POSIX shell; the tour below passes every
# screen of the demonstration instead.
# A wine server kept running over the whole test run: a cold start of the
# prefix's services takes seconds, a start under a running server about
# half a second.  The server and the services get no standard streams of
# ctest's (they would keep its pipe open, and the test running, until they
# end).  They end with the tests (or a minute after the last program,
# should ctest be interrupted).
add_test(NAME wine_start COMMAND sh -c "\
  WINEPREFIX='${OSK_WINE_PREFIX}' wineserver -p60 </dev/null >/dev/null 2>&1; \
  '${OSK_WINE_RUN}' '${PROJECT_BINARY_DIR}/osk.exe' --version </dev/null >/dev/null 2>&1; \
  '${OSK_WINE_RUN}' '${PROJECT_BINARY_DIR}/osk.exe' --version")
add_test(NAME wine_stop COMMAND sh -c "WINEPREFIX='${OSK_WINE_PREFIX}' wineserver -k 2>/dev/null; exit 0")
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)

# app_output_failure_test.cpp fails writes through Linux's own means
# (/dev/full, file size limits, a private tmpfs) and reads GIFs with giflib.
set(OSK_TESTS_LEFT_OUT plot_png_test.cpp app_headless_test.cpp app_output_failure_test.cpp)
# The settings file: where it lives is the platform's choice, not
# XDG_CONFIG_HOME on Windows.
set(OSK_TESTS_FILTER_app -StartUp.AFileArgumentOpensTheEmptyDocumentUnderItsName:RecentFiles.*)
osk_test_group(plot plot plotpng)
osk_test_group(waves waves)
osk_test_group(dib dib)
osk_test_group(outfile outfile dib)
osk_test_group(app app)

# osk.exe end to end, against the Linux build of the same sources (the one
# scripts/test.sh builds first): the command line and the tour's page dumps
# byte for byte.
set(OSK_LINUX_BUILD_DIR ${PROJECT_SOURCE_DIR}/build CACHE PATH "The Linux build that osk.exe is compared with")
add_test(NAME windows_headless
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/windows/headless.sh ${PROJECT_BINARY_DIR} ${OSK_LINUX_BUILD_DIR}
                 ${PROJECT_SOURCE_DIR})
set_tests_properties(windows_headless PROPERTIES TIMEOUT 600)

# The executable's PE header: hardening flags, no time stamp.
add_test(NAME windows_pe_header COMMAND bash ${PROJECT_SOURCE_DIR}/tests/windows/pe_header.sh ${PROJECT_BINARY_DIR}
                                        ${PROJECT_SOURCE_DIR})

# The MSI: silent install, start, upgrade, uninstall.
add_test(NAME windows_msi COMMAND bash ${PROJECT_SOURCE_DIR}/tests/windows/msi.sh ${PROJECT_BINARY_DIR})
set_tests_properties(windows_msi PROPERTIES TIMEOUT 600)

# A window test runs under a wine server of its own (tests/windows/own_server.sh).
set(OSK_WINE_OWN_SERVER bash ${PROJECT_SOURCE_DIR}/tests/windows/own_server.sh ${OSK_WINE_PREFIX})
# The window under Xvfb and wine: the Linux build's window test, driving
# osk.exe through this build's `osk`.
add_test(NAME e2e_demo_window COMMAND ${OSK_WINE_OWN_SERVER} bash ${PROJECT_SOURCE_DIR}/tests/e2e/demo_window.sh
                                      ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
set_tests_properties(e2e_demo_window PROPERTIES TIMEOUT 600)
# Recording through the system's imaging component: GIF frames and PNG dumps.
add_test(NAME e2e_recording COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/recording.sh
                                    ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
set_tests_properties(e2e_recording PROPERTIES TIMEOUT 600)
# The Win32 backend in a window of its own on a private X server.
add_executable(win32_tests ${PROJECT_SOURCE_DIR}/tests/win32_backend_test.cpp
                           ${PROJECT_SOURCE_DIR}/tests/win32_support.cpp)
target_link_libraries(win32_tests PRIVATE platform GTest::gtest GTest::gtest_main)
add_test(NAME win32_tests COMMAND ${OSK_WINE_OWN_SERVER} bash ${PROJECT_SOURCE_DIR}/tests/windows/with_xserver.sh 1024x768
                                  ${OSK_WINE_RUN} $<TARGET_FILE:win32_tests>)
# One window test at a time: the programs of both window tests share the one
# wine server, and wine's X11 driver lost track of a window when they ran
# side by side on two X servers (an X error ended the program once).
set_tests_properties(win32_tests e2e_demo_window PROPERTIES RUN_SERIAL TRUE)
set_tests_properties(win32_tests PROPERTIES TIMEOUT 300)

# Every test of this build under the one server.
get_property(windows_tests DIRECTORY PROPERTY TESTS)
list(REMOVE_ITEM windows_tests wine_start wine_stop)
set_tests_properties(${windows_tests} PROPERTIES FIXTURES_REQUIRED wine)
