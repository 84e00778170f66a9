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
