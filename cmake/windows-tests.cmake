# The tests of the Windows build, run under wine (tests/CMakeLists.txt).
osk_test_group(waves waves)
