# The tests of the Windows build, run under wine (tests/CMakeLists.txt).
osk_test_group(waves waves)
# The window under Xvfb and wine: the Linux build's window test, driving
# osk.exe through this build's `osk`.
add_test(NAME e2e_demo_window COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/demo_window.sh
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
add_test(NAME win32_tests COMMAND xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp"
                                  ${OSK_WINE_RUN} $<TARGET_FILE:win32_tests>)
set_tests_properties(win32_tests PROPERTIES TIMEOUT 300)
