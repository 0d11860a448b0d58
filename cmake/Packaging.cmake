# Where `cmake --install` puts Lurkfield, and the packages CPack makes of it
# (scripts/package.sh runs them all):
#   Linux:   bin/ the programs, share/lurkfield/ the sample world,
#            share/doc/lurkfield/ the README and docs/; a Debian package
#            (lurkfield_VERSION_amd64.deb) whose dependencies dpkg-shlibdeps finds.
#   Windows: one folder with the programs, the sample world and README.txt
#            (CRLF line ends); a zip (lurkfield-VERSION-windows-x86_64.zip).
# Every program that exists in the build is installed: the window and the
# text front end, and the sweep tools where they are built.
set(LURKFIELD_MAINTAINER "The Lurkfield developers <lurkfield@localhost>" CACHE STRING
    "The Maintainer field of the Debian package")

set(lurkfield_programs "")
foreach(program lurkfield lurkfield-text lurkfield-sweep lurkfield-sweep-mpi)
  if(TARGET ${program})
    list(APPEND lurkfield_programs ${program})
  endif()
endforeach()

if(WIN32)
  install(TARGETS ${lurkfield_programs} RUNTIME DESTINATION .)
  install(FILES lurkfield.config DESTINATION .)
  # Notepad and every Windows editor read CRLF; the README gets a short head
  # for the people who unpack the zip.
  configure_file(cmake/README-windows.txt.in ${CMAKE_BINARY_DIR}/README-head.txt @ONLY)
  file(READ ${CMAKE_BINARY_DIR}/README-head.txt readme_head)
  file(READ README.md readme)
  string(REPLACE "\n" "\r\n" readme_crlf "${readme_head}${readme}")
  file(WRITE ${CMAKE_BINARY_DIR}/README.txt "${readme_crlf}")
  install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME lurkfield-${PROJECT_VERSION}-windows-x86_64)
else()
  include(GNUInstallDirs)
  install(TARGETS ${lurkfield_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES lurkfield.config DESTINATION ${CMAKE_INSTALL_DATADIR}/lurkfield)
  install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lurkfield)
  install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lurkfield/docs
          FILES_MATCHING PATTERN "*.md")
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()

set(CPACK_PACKAGE_NAME lurkfield)
set(CPACK_PACKAGE_VENDOR "The Lurkfield developers")
set(CPACK_PACKAGE_CONTACT "${LURKFIELD_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn-based predator-and-prey simulation on a grid")
set(CPACK_PACKAGE_DESCRIPTION "A plain text file, lurkfield.config, sets the grid, the obstacles, \
the creatures and their senses. The window (lurkfield) steps the world one turn per space key and \
shows what a clicked creature hears and sees; lurkfield-text runs the same simulation in a \
terminal. The sample world is /usr/share/lurkfield/lurkfield.config.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)

# The browser build's site is packed by its own configuration (see the file).
configure_file(cmake/CPackWebConfig.cmake.in ${CMAKE_BINARY_DIR}/CPackWebConfig.cmake @ONLY)
