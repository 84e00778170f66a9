# What `cmake --install` puts in place, by component:
#   program  bin/osk, the desktop entry, the hicolor icons, the AppStream
#            metainfo, the man page and the built-in tour (share/osk/tour.osk)
#   dev      the plot library: archive and headers (plot/CMakeLists.txt), the
#            CMake package OskPlot (targets OskPlot::plot and OskPlot::png),
#            oskplot.pc and oskplot-png.pc
# and, with each, the licence and changelog as Debian keeps them
# (share/doc/<package>/copyright and changelog.gz).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(OSK_APP_ID org.example.Osk)
include(cmake/release.cmake)

if(TARGET osk)
  # The desktop entry and the metainfo with the catalogues' translations
  # merged in (Name[de]=..., <summary xml:lang="de">...).
  find_program(MSGFMT msgfmt REQUIRED)
  file(GLOB osk_po_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/po/*.po)
  set(osk_desktop ${PROJECT_BINARY_DIR}/dist/${OSK_APP_ID}.desktop)
  set(osk_metainfo ${PROJECT_BINARY_DIR}/dist/${OSK_APP_ID}.metainfo.xml)
  add_custom_command(OUTPUT ${osk_desktop} ${osk_metainfo}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/dist
                     COMMAND ${MSGFMT} --desktop --template=${PROJECT_SOURCE_DIR}/dist/${OSK_APP_ID}.desktop
                             -d ${PROJECT_SOURCE_DIR}/po -o ${osk_desktop}
                     COMMAND ${MSGFMT} --xml --template=${OSK_GENERATED_DIST}/untranslated/${OSK_APP_ID}.metainfo.xml
                             -d ${PROJECT_SOURCE_DIR}/po -o ${osk_metainfo}
                     DEPENDS dist/${OSK_APP_ID}.desktop ${OSK_GENERATED_DIST}/untranslated/${OSK_APP_ID}.metainfo.xml
                             ${osk_po_files} ${PROJECT_SOURCE_DIR}/po/LINGUAS
                     COMMENT "Translating the desktop entry and the metainfo")
  add_custom_target(osk_dist_files ALL DEPENDS ${osk_desktop} ${osk_metainfo})
  install(TARGETS osk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
  # What lintian would flag in the package but is meant: the German word
  # "Programm" in the built-in catalogue.
  install(FILES dist/osk.lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
          RENAME osk COMPONENT program)
  install(FILES ${osk_desktop} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT program)
  install(FILES ${osk_metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT program)
  install(FILES ${OSK_GENERATED_DIST}/osk.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
  install(FILES res/tour.osk DESTINATION ${CMAKE_INSTALL_DATADIR}/osk COMPONENT program)
endif()

# The icons are drawn once, as the window icon's resource; tools/app_icongen
# renders the SVG and the PNG sizes from it at build time.
if(TARGET icongen)
  set(OSK_ICON_DIR ${PROJECT_BINARY_DIR}/icons)
  set(OSK_ICON_SIZES 16 24 32 48 64 128 256)
  set(OSK_ICON_FILES ${OSK_ICON_DIR}/scalable/apps/osk.svg)
  foreach(size ${OSK_ICON_SIZES})
    list(APPEND OSK_ICON_FILES ${OSK_ICON_DIR}/${size}x${size}/apps/osk.png)
  endforeach()
  add_custom_command(OUTPUT ${OSK_ICON_FILES}
                     COMMAND icongen ${OSK_ICON_DIR}
                     DEPENDS icongen
                     COMMENT "Rendering the desktop icons")
  add_custom_target(osk_icons ALL DEPENDS ${OSK_ICON_FILES})
  install(DIRECTORY ${OSK_ICON_DIR}/
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor COMPONENT program)
endif()

# The plot library's CMake package and pkg-config file.
set(OSK_CMAKE_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/OskPlot)
install(EXPORT OskPlotTargets NAMESPACE OskPlot:: DESTINATION ${OSK_CMAKE_PACKAGE_DIR} COMPONENT dev)
configure_package_config_file(cmake/OskPlotConfig.cmake.in ${PROJECT_BINARY_DIR}/OskPlotConfig.cmake
                              INSTALL_DESTINATION ${OSK_CMAKE_PACKAGE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/OskPlotConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/OskPlotConfig.cmake ${PROJECT_BINARY_DIR}/OskPlotConfigVersion.cmake
        DESTINATION ${OSK_CMAKE_PACKAGE_DIR} COMPONENT dev)

# The .pc file names the configured prefix; a staged tree (DESTDIR) is read
# with PKG_CONFIG_SYSROOT_DIR.
foreach(pc oskplot oskplot-png)
  configure_file(cmake/${pc}.pc.in ${PROJECT_BINARY_DIR}/${pc}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)
endforeach()

# The licence (machine-readable) and the changelog of each package.
foreach(package_component osk:program liboskplot-dev:dev)
  string(REPLACE ":" ";" pair ${package_component})
  list(GET pair 0 package)
  list(GET pair 1 component)
  install(FILES dist/copyright ${OSK_GENERATED_DIST}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()

# A stripped install (the packages) drops the compilers' version notes
# (.comment) too, from the program and from the plot library's archives.
function(osk_install_without_comment component)
  foreach(file ${ARGN})
    install(CODE "if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${file}\" RESULT_VARIABLE status)
      if(NOT status EQUAL 0)
        message(FATAL_ERROR \"objcopy --remove-section=.comment ${file}: status \${status}\")
      endif()
    endif()" COMPONENT ${component})
  endforeach()
endfunction()
if(TARGET osk)
  osk_install_without_comment(program ${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:osk>)
endif()
foreach(library plot plotpng outfile)
  if(TARGET ${library})
    osk_install_without_comment(dev ${CMAKE_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:${library}>)
  endif()
endforeach()
