# The manual pages, made at build time by lurkfield-release-files (tools/release/)
# from their pages in docs/man/, the README's sections and each program's --help,
# gzipped as Debian wants them (-n: no name or time in the header, so the same
# sources give the same bytes) and installed to share/man/manN. The page of a
# program the build does not make (lurkfield-sweep-mpi without MPI) is left out.
find_program(LURKFIELD_GZIP gzip REQUIRED)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/man)

set(lurkfield_manuals "")
foreach(page lurkfield.1 lurkfield.config.5 lurkfield-text.1 lurkfield-sweep.1 lurkfield-sweep-mpi.1)
  string(REGEX REPLACE "\\.[1-8]$" "" name ${page})
  string(REGEX MATCH "[1-8]$" section ${page})
  # The programs' pages show their --help; the window program has none.
  set(program "")
  set(help_of "")
  if(name MATCHES "^lurkfield-")
    if(NOT TARGET ${name})
      continue()
    endif()
    set(program ${name})
    set(help_of $<TARGET_FILE:${name}>)
  endif()
  set(source ${PROJECT_SOURCE_DIR}/docs/man/${page}.md)
  set(roff ${CMAKE_BINARY_DIR}/man/${page})
  add_custom_command(OUTPUT ${roff}.gz
    COMMAND lurkfield-release-files man-page ${source} ${PROJECT_SOURCE_DIR}/README.md
            ${PROJECT_VERSION} ${LURKFIELD_RELEASE_DATE} ${roff} ${help_of}
    COMMAND ${LURKFIELD_GZIP} -n -9 -f ${roff}
    DEPENDS lurkfield-release-files ${source} ${PROJECT_SOURCE_DIR}/README.md ${program}
    COMMENT "Making the manual page ${page}"
    VERBATIM)
  install(FILES ${roff}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
  list(APPEND lurkfield_manuals ${roff}.gz)
endforeach()
add_custom_target(lurkfield-manuals ALL DEPENDS ${lurkfield_manuals})
