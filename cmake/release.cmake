# The releases of CHANGELOG.md (cmake/changelog.awk reads it) made into what
# the install carries, so that changelog, metainfo, man page and Debian
# changelog never disagree; the version itself is project()'s.
#   OSK_RELEASE_DATE       the newest release's date (YYYY-MM-DD)
#   OSK_GENERATED_DIST     where the made files are:
#     org.example.Osk.metainfo.xml  with a <release> per release
#     osk.1.gz                      the man page, version and month filled in
#     changelog.gz                  the Debian changelog (source package osk)
set(OSK_GENERATED_DIST ${PROJECT_BINARY_DIR}/dist)
set(OSK_MAINTAINER "osk developers <osk@example.org>")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/cmake/changelog.awk)

function(osk_read_changelog what output)
  execute_process(COMMAND awk -v what=${what} -v package=osk -v "maintainer=${OSK_MAINTAINER}"
                          -f ${PROJECT_SOURCE_DIR}/cmake/changelog.awk ${PROJECT_SOURCE_DIR}/CHANGELOG.md
                  OUTPUT_VARIABLE text ERROR_VARIABLE error RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "CHANGELOG.md: ${error}")
  endif()
  set(${output} "${text}" PARENT_SCOPE)
endfunction()

osk_read_changelog(newest newest)
string(STRIP "${newest}" newest)
if(NOT newest MATCHES "^([^ ]+) ([0-9]+)-([0-9]+)-([0-9]+)$" OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "CHANGELOG.md: the newest release is '${newest}', but the version is "
                      "${PROJECT_VERSION}: add '## [${PROJECT_VERSION}] - YYYY-MM-DD' with what it gives users")
endif()
set(OSK_RELEASE_DATE "${CMAKE_MATCH_2}-${CMAKE_MATCH_3}-${CMAKE_MATCH_4}")
set(months January February March April May June July August September October November December)
math(EXPR month_index "${CMAKE_MATCH_3} - 1")
list(GET months ${month_index} month)
set(OSK_RELEASE_MONTH "${month} ${CMAKE_MATCH_2}")

osk_read_changelog(metainfo OSK_METAINFO_RELEASES)
string(REGEX REPLACE "\n$" "" OSK_METAINFO_RELEASES "${OSK_METAINFO_RELEASES}")
configure_file(dist/org.example.Osk.metainfo.xml.in ${OSK_GENERATED_DIST}/org.example.Osk.metainfo.xml @ONLY)
configure_file(dist/osk.1 ${OSK_GENERATED_DIST}/osk.1 @ONLY)
osk_read_changelog(debian debian_changelog)
file(WRITE ${OSK_GENERATED_DIST}/changelog "${debian_changelog}")

# Compressed as Debian wants them: best compression, no name or time stamp
# inside, so the same sources give the same bytes.
foreach(file osk.1 changelog)
  execute_process(COMMAND gzip -9n -c ${OSK_GENERATED_DIST}/${file}
                  OUTPUT_FILE ${OSK_GENERATED_DIST}/${file}.gz RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${file}: status ${status}")
  endif()
endforeach()
