# The Windows build (cross-built with cmake/mingw-w64.cmake): its programs
# run under wine in a prefix of the build's own, the tests from ctest;
# GoogleTest from Debian's source copy; osk.exe with its icon and version
# resource.
set(OSK_BUILD_BENCH OFF CACHE BOOL "Google Benchmark has no Windows build here" FORCE)

# build-windows/wine-run PROGRAM ARGS...: wine in the prefix build-windows/wine,
# quiet, without the .NET and HTML engines' installers.  build-windows/osk
# runs osk.exe through it, so that scripts written for the Linux build's
# `osk` drive the Windows one.
find_program(OSK_WINE wine)
set(OSK_WINE_RUN ${PROJECT_BINARY_DIR}/wine-run)
set(OSK_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine)
file(WRITE ${OSK_WINE_RUN} "#!/bin/sh
# Runs a Windows program of this build under wine, in the build's own prefix.
export WINEPREFIX=\"\${OSK_WINEPREFIX:-${OSK_WINE_PREFIX}}\" WINEDEBUG=-all WINEDLLOVERRIDES=\"mscoree,mshtml=\"
exec ${OSK_WINE} \"$@\"
")
file(WRITE ${PROJECT_BINARY_DIR}/osk "#!/bin/sh
exec \"${OSK_WINE_RUN}\" \"${PROJECT_BINARY_DIR}/osk.exe\" \"$@\"
")
file(CHMOD ${OSK_WINE_RUN} ${PROJECT_BINARY_DIR}/osk
     PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${OSK_WINE_RUN})

# The prefix is made once, at build time (about 10 s), so that tests started
# side by side do not each try to create it.
add_custom_command(OUTPUT ${OSK_WINE_PREFIX}/system.reg
                   COMMAND ${OSK_WINE_RUN} wineboot --init
                   COMMAND env WINEPREFIX=${OSK_WINE_PREFIX} wineserver --wait
                   COMMENT "Creating the wine prefix ${OSK_WINE_PREFIX}")
add_custom_target(wine_prefix ALL DEPENDS ${OSK_WINE_PREFIX}/system.reg)

# GoogleTest, built with the cross compiler from Debian's sources (its
# targets GTest::gtest and GTest::gtest_main).
if(OSK_BUILD_TESTS)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# The program's executable: the icon and the version resource (from the
# resource record in res/, checked against the project's version by the
# generator), written by tools/app_icongen.cpp under wine.
function(osk_windows_program target)
  set(dir ${PROJECT_BINARY_DIR}/winres)
  add_custom_command(OUTPUT ${dir}/osk.rc ${dir}/osk.ico
                     COMMAND icongen --windows ${dir} ${PROJECT_VERSION}
                     DEPENDS icongen wine_prefix
                     COMMENT "Writing the icon and the version resource")
  target_sources(${target} PRIVATE ${dir}/osk.rc)
  set_source_files_properties(${dir}/osk.rc PROPERTIES OBJECT_DEPENDS ${dir}/osk.ico)
endfunction()
