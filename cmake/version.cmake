# cmake -P cmake/version.cmake prints the project's version, as the
# project() line of CMakeLists.txt states it.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../CMakeLists.txt line REGEX "^project\\(osk VERSION [0-9.]+")
string(REGEX REPLACE "^project\\(osk VERSION ([0-9.]+).*" "\\1" version "${line}")
if(NOT version MATCHES "^[0-9]+(\\.[0-9]+)*$")
  message(FATAL_ERROR "no version in the project() line of CMakeLists.txt")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${version}")
