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
  osk_windows_packages(${target})
endfunction()

# The Windows packages of a program target: osk-VERSION-win64.msi (wixl) and
# the portable osk-VERSION-win64.zip, each with the program, the tour, a short
# README and the licence (when the sources have one).  scripts/build-windows.sh
# copies them to out/windows/.
function(osk_windows_packages target)
  find_program(OSK_WIXL wixl REQUIRED)
  set(name osk-${PROJECT_VERSION}-win64)
  set(OSK_PACKAGE_NAME ${name})
  set(OSK_PACKAGE_DIR ${PROJECT_BINARY_DIR}/package/${name})
  configure_file(${PROJECT_SOURCE_DIR}/dist/windows/README.txt.in ${OSK_PACKAGE_DIR}/README.txt
                 @ONLY NEWLINE_STYLE WIN32)
  configure_file(${PROJECT_SOURCE_DIR}/res/tour.osk ${OSK_PACKAGE_DIR}/tour.osk COPYONLY)
  set(OSK_WXS_LICENSE "")
  set(zip_licence "")
  if(EXISTS ${PROJECT_SOURCE_DIR}/LICENSE)
    set(zip_licence ${name}/LICENSE.txt)
    configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${OSK_PACKAGE_DIR}/LICENSE.txt COPYONLY)
    set(OSK_WXS_LICENSE "\n            <File Id=\"LICENSE.txt\" Name=\"LICENSE.txt\" Source=\"${name}/LICENSE.txt\"/>")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/dist/windows/osk.wxs.in ${PROJECT_BINARY_DIR}/package/osk.wxs @ONLY)

  set(msi ${PROJECT_BINARY_DIR}/${name}.msi)
  set(zip ${PROJECT_BINARY_DIR}/${name}.zip)
  add_custom_command(OUTPUT ${OSK_PACKAGE_DIR}/osk.exe ${OSK_PACKAGE_DIR}/osk.ico
                     COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> ${OSK_PACKAGE_DIR}/osk.exe
                     COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_BINARY_DIR}/winres/osk.ico ${OSK_PACKAGE_DIR}/osk.ico
                     DEPENDS ${target} ${PROJECT_BINARY_DIR}/winres/osk.ico)
  add_custom_command(OUTPUT ${msi}
                     COMMAND ${OSK_WIXL} -a x64 -D Version=${PROJECT_VERSION} -o ${msi} osk.wxs
                     WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/package
                     DEPENDS ${OSK_PACKAGE_DIR}/osk.exe ${OSK_PACKAGE_DIR}/osk.ico ${PROJECT_BINARY_DIR}/package/osk.wxs
                     COMMENT "Building ${name}.msi")
  # The zip holds the folder without the icon (it is inside the program).
  add_custom_command(OUTPUT ${zip}
                     COMMAND ${CMAKE_COMMAND} -E rm -f ${zip}
                     COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip -- ${name}/osk.exe ${name}/tour.osk
                             ${name}/README.txt ${zip_licence}
                     WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/package
                     DEPENDS ${OSK_PACKAGE_DIR}/osk.exe
                     COMMENT "Building ${name}.zip")
  add_custom_target(windows_packages ALL DEPENDS ${msi} ${zip})
endfunction()
