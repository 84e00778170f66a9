# The Windows build (cross-built with cmake/mingw-w64.cmake): its programs
# run under wine in a prefix of the build's own, the tests from ctest;
# GoogleTest from Debian's source copy; osk.exe with its icon and version
# resource.
set(OSK_BUILD_BENCH OFF CACHE BOOL "Google Benchmark has no Windows build here" FORCE)

# Hardened and reproducible: a stack protector (libssp, linked in), no link
# time in the PE header and no build path in the executable, so that one
# commit gives the same osk.exe wherever it is built.  The linker keeps its
# defaults DYNAMIC_BASE, NX_COMPAT and HIGH_ENTROPY_VA (tests/windows/pe_header.sh).
add_compile_options(-fstack-protector-strong "-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.")
add_link_options(-fstack-protector-strong -Wl,--no-insert-timestamp)

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

# The time every packaged file carries: SOURCE_DATE_EPOCH, else the last
# commit's time, else (a source tarball, whose files carry that time) the
# top CMakeLists.txt's.
function(osk_source_date_epoch output)
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
  if(epoch STREQUAL "")
    execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    file(TIMESTAMP ${PROJECT_SOURCE_DIR}/CMakeLists.txt epoch "%s" UTC)
  endif()
  set(${output} ${epoch} PARENT_SCOPE)
endfunction()

# The Windows packages of a program target: osk-VERSION-win64.msi (wixl) and
# the portable osk-VERSION-win64.zip, each with the program, the tour, a short
# README and the licence (when the sources have one).  scripts/build-windows.sh
# copies them to out/windows/.  Both are the same bytes for the same sources:
# the files inside carry the source date, the MSI's product code is made
# from the version and its package code from its contents
# (dist/windows/reproducible-msi.sh).
function(osk_windows_packages target)
  find_program(OSK_WIXL wixl REQUIRED)
  find_program(OSK_ZIP zip REQUIRED)
  osk_source_date_epoch(epoch)
  set(name osk-${PROJECT_VERSION}-win64)
  set(OSK_PACKAGE_NAME ${name})
  set(OSK_PACKAGE_DIR ${PROJECT_BINARY_DIR}/package/${name})
  # The same for every version, so that a newer package replaces an older one.
  set(OSK_MSI_UPGRADE_CODE 0671D85F-301B-4AA5-9322-ADCD5B7C8698)
  string(UUID product_code NAMESPACE ${OSK_MSI_UPGRADE_CODE} NAME "${name}" TYPE SHA1 UPPER)
  configure_file(${PROJECT_SOURCE_DIR}/dist/windows/README.txt.in ${OSK_PACKAGE_DIR}/README.txt
                 @ONLY NEWLINE_STYLE WIN32)
  configure_file(${PROJECT_SOURCE_DIR}/res/tour.osk ${OSK_PACKAGE_DIR}/tour.osk COPYONLY)
  set(OSK_WXS_LICENSE "")
  set(package_files osk.exe osk.ico tour.osk README.txt)
  if(EXISTS ${PROJECT_SOURCE_DIR}/LICENSE)
    list(APPEND package_files LICENSE.txt)
    configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${OSK_PACKAGE_DIR}/LICENSE.txt COPYONLY)
    set(OSK_WXS_LICENSE "\n            <File Id=\"LICENSE.txt\" Name=\"LICENSE.txt\" Source=\"${name}/LICENSE.txt\"/>")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/dist/windows/osk.wxs.in ${PROJECT_BINARY_DIR}/package/osk.wxs @ONLY)
  list(TRANSFORM package_files PREPEND ${name}/ OUTPUT_VARIABLE package_paths)
  # The zip holds the folder without the icon (it is inside the program).
  set(zip_paths ${package_paths})
  list(REMOVE_ITEM zip_paths ${name}/osk.ico)

  set(msi ${PROJECT_BINARY_DIR}/${name}.msi)
  set(zip ${PROJECT_BINARY_DIR}/${name}.zip)
  set(stamp ${PROJECT_BINARY_DIR}/package/files.stamp)
  add_custom_command(OUTPUT ${OSK_PACKAGE_DIR}/osk.exe ${OSK_PACKAGE_DIR}/osk.ico ${stamp}
                     COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> ${OSK_PACKAGE_DIR}/osk.exe
                     COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_BINARY_DIR}/winres/osk.ico ${OSK_PACKAGE_DIR}/osk.ico
                     COMMAND touch --date=@${epoch} ${package_paths}
                     COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
                     WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/package
                     DEPENDS ${target} ${PROJECT_BINARY_DIR}/winres/osk.ico)
  add_custom_command(OUTPUT ${msi}
                     COMMAND ${OSK_WIXL} -a x64 -D Version=${PROJECT_VERSION} -D ProductCode=${product_code}
                             -o ${msi} osk.wxs
                     COMMAND bash ${PROJECT_SOURCE_DIR}/dist/windows/reproducible-msi.sh ${msi} ${epoch}
                     WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/package
                     DEPENDS ${stamp} ${PROJECT_BINARY_DIR}/package/osk.wxs
                             ${PROJECT_SOURCE_DIR}/dist/windows/reproducible-msi.sh
                     COMMENT "Building ${name}.msi")
  # Times in UTC, no owners or other extra fields.
  add_custom_command(OUTPUT ${zip}
                     COMMAND ${CMAKE_COMMAND} -E rm -f ${zip}
                     COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${OSK_ZIP} -q -X ${zip} ${zip_paths}
                     WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/package
                     DEPENDS ${stamp}
                     COMMENT "Building ${name}.zip")
  add_custom_target(windows_packages ALL DEPENDS ${msi} ${zip})
endfunction()
