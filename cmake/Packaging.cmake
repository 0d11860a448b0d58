# Where `cmake --install` puts Lurkfield, and the packages CPack makes of it
# (scripts/package.sh runs them all):
#   Linux:   bin/ the programs, share/lurkfield/ the sample world,
#            share/doc/lurkfield/ the README and docs/, share/man/ the manual
#            pages (cmake/Manuals.cmake), the desktop's menu entry, icons and
#            AppStream metadata (cmake/Desktop.cmake); a Debian package
#            (lurkfield_VERSION_amd64.deb) whose dependencies dpkg-shlibdeps
#            finds, with its copyright file (from LICENSE) and changelog (from
#            CHANGELOG.md) in share/doc/lurkfield/.
#   Windows: one folder with the programs, the sample world, README.txt and
#            LICENSE.txt (CRLF line ends); a zip (lurkfield-VERSION-windows-x86_64.zip),
#            and an installer of the same files, whose script
#            cmake/WindowsInstaller.cmake configures.
# Every program that exists in the build is installed: the window and the
# text front end, and the sweep tools where they are built.
#
# A packager names the package's maintainer and the project's home page when
# configuring: -DLURKFIELD_MAINTAINER="Name <address>" -DLURKFIELD_HOMEPAGE=URL.
# The defaults stand for the project itself; .invalid is a domain that never
# exists (RFC 2606), so no mail or visit goes astray.
set(lurkfield_maintainer "The Lurkfield developers <lurkfield@lurkfield.invalid>")
# Builds configured before 0.3.0 keep the default of then in their cache, an
# address on localhost, which Debian refuses.
if(LURKFIELD_MAINTAINER STREQUAL "The Lurkfield developers <lurkfield@localhost>")
  set_property(CACHE LURKFIELD_MAINTAINER PROPERTY VALUE "${lurkfield_maintainer}")
endif()
set(LURKFIELD_MAINTAINER "${lurkfield_maintainer}" CACHE STRING
    "The Maintainer field of the Debian package, and who signs its changelog")
set(LURKFIELD_HOMEPAGE "https://lurkfield.invalid/" CACHE STRING
    "The project's home page, in the Debian package and the AppStream metadata")
include(cmake/Changelog.cmake)

set(lurkfield_programs "")
foreach(program lurkfield lurkfield-text lurkfield-sweep lurkfield-sweep-mpi)
  if(TARGET ${program})
    list(APPEND lurkfield_programs ${program})
  endif()
endforeach()

if(WIN32)
  install(TARGETS ${lurkfield_programs} RUNTIME DESTINATION .)
  # Notepad and every Windows editor read CRLF; the README gets a short head
  # for the people who unpack the zip or install.
  configure_file(cmake/README-windows.txt.in ${CMAKE_BINARY_DIR}/README-head.txt @ONLY)
  file(READ ${CMAKE_BINARY_DIR}/README-head.txt readme_head)
  file(READ README.md readme)
  string(REPLACE "\n" "\r\n" readme_crlf "${readme_head}${readme}")
  file(WRITE ${CMAKE_BINARY_DIR}/README.txt "${readme_crlf}")
  file(READ LICENSE license)
  string(REPLACE "\n" "\r\n" license_crlf "${license}")
  file(WRITE ${CMAKE_BINARY_DIR}/LICENSE.txt "${license_crlf}")
  set(windows_files ${PROJECT_SOURCE_DIR}/lurkfield.config ${CMAKE_BINARY_DIR}/README.txt
                    ${CMAKE_BINARY_DIR}/LICENSE.txt)
  install(FILES ${windows_files} DESTINATION .)
  # The installer installs what the zip holds.
  include(cmake/WindowsInstaller.cmake)
  lurkfield_windows_installer(PROGRAMS ${lurkfield_programs} FILES ${windows_files})
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME lurkfield-${PROJECT_VERSION}-windows-x86_64)
else()
  include(GNUInstallDirs)
  install(TARGETS ${lurkfield_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES lurkfield.config DESTINATION ${CMAKE_INSTALL_DATADIR}/lurkfield)
  install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lurkfield)
  install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lurkfield/docs
          FILES_MATCHING PATTERN "*.md" PATTERN images EXCLUDE PATTERN man EXCLUDE
          PATTERN examples EXCLUDE)
  if(NOT CMAKE_CROSSCOMPILING)
    include(cmake/Manuals.cmake)
    include(cmake/Desktop.cmake)
    include(cmake/DebianFiles.cmake)
  endif()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()

set(CPACK_PACKAGE_NAME lurkfield)
set(CPACK_PACKAGE_VENDOR "The Lurkfield developers")
set(CPACK_PACKAGE_CONTACT "${LURKFIELD_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn-based predator-and-prey simulation on a grid")
# Debian shows each line as it stands: none may be longer than 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "A plain text file, lurkfield.config, sets the grid, the obstacles,
the creatures and their senses. The window (lurkfield) steps the world one turn
per space key and shows what a clicked creature hears and sees; its menu entry
plays a copy of the sample world in the user's own folder. lurkfield-text runs
the same simulation in a terminal, and lurkfield-sweep runs it over many
settings at once, on every core or over MPI, for experiments. The sample world
is /usr/share/lurkfield/lurkfield.config.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A simulation for experiments as much as a game to watch, whose programs sit in
# /usr/bin beside the other tools of its kind: science, not games (which
# would put them in /usr/games).
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${LURKFIELD_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_SOURCE_GENERATOR "")
include(cmake/PythonPackage.cmake)
include(CPack)

# The browser build's site is packed by its own configuration (see the file).
configure_file(cmake/CPackWebConfig.cmake.in ${CMAKE_BINARY_DIR}/CPackWebConfig.cmake @ONLY)
