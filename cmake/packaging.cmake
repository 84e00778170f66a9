# Debian packages with CPack (scripts/package.sh): one per install component,
#   osk             the program (component program)
#   liboskplot-dev  the plot library's development files (component dev)
# Their Depends lines are computed from the binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME osk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${OSK_MAINTAINER}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program dev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME osk)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION science)
# Descriptions: a synopsis line, then lines of at most 72 characters.
set(CPACK_COMPONENT_PROGRAM_DESCRIPTION
    "plane longitudinal and transversal waves on a chain of particles
An interactive physics demonstration for the classroom: a chain of 65
particles, excited at one end, carries a plane longitudinal or
transversal wave. Runs in a window (SDL2) or headless, recording an
animated GIF.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME liboskplot-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
# A static archive has no shared-library dependencies to find: the PNG
# writer needs libpng at link time.
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "libpng-dev")
set(CPACK_COMPONENT_DEV_DESCRIPTION
    "procedural plot library of osk (development files)
A static C++ library that renders lines, polylines, boxes, dots and
stroke-font text into an 8-bit palette page image and writes it as BMP
or PNG files. Headers under include/osk/plot, CMake package OskPlot
(target OskPlot::plot), pkg-config oskplot.")

# Both packages come from one source, whose changelog they carry.
set(CPACK_DEBIAN_PACKAGE_SOURCE osk)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

include(CPack)
