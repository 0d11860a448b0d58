# What Debian asks of a package beside its programs, in share/doc/lurkfield/:
#   copyright            the license in Debian's machine-readable form, made
#                        from LICENSE when configuring
#   changelog.gz         the changelog in Debian's form, made from CHANGELOG.md
#                        at build time by lurkfield-release-files (tools/release/)
# The package is the project's own, a native package in Debian's words (its
# version has no Debian revision), whose one changelog is changelog.gz: the
# name changelog.Debian.gz is for a package of someone else's upstream work.
set(lurkfield_debian ${CMAKE_BINARY_DIR}/debian)
set(lurkfield_doc ${CMAKE_INSTALL_DATADIR}/doc/lurkfield)

# LICENSE: a title, "Copyright (c) YEAR HOLDER", then the license's own text,
# which the copyright file gives indented by a blank, its empty lines as " .".
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
if(NOT license MATCHES "\nCopyright \\(c\\) ([^\n]+)\n\n(.*[^\n])\n*$")
  message(FATAL_ERROR "LICENSE holds no line \"Copyright (c) YEAR HOLDER\" followed by the license")
endif()
set(LURKFIELD_COPYRIGHT "${CMAKE_MATCH_1}")
string(REPLACE "\n\n" "\n.\n" license_text "${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " LURKFIELD_LICENSE_TEXT " ${license_text}")
configure_file(cmake/copyright.in ${lurkfield_debian}/copyright @ONLY)
install(FILES ${lurkfield_debian}/copyright DESTINATION ${lurkfield_doc})

set(changelog ${lurkfield_debian}/changelog)
add_custom_command(OUTPUT ${changelog}.gz
  COMMAND lurkfield-release-files debian-changelog ${PROJECT_SOURCE_DIR}/CHANGELOG.md
          ${LURKFIELD_MAINTAINER} ${changelog}
  COMMAND ${LURKFIELD_GZIP} -n -9 -f ${changelog}
  DEPENDS lurkfield-release-files ${PROJECT_SOURCE_DIR}/CHANGELOG.md
  COMMENT "Making the Debian changelog"
  VERBATIM)
add_custom_target(lurkfield-debian-changelog ALL DEPENDS ${changelog}.gz)
install(FILES ${changelog}.gz DESTINATION ${lurkfield_doc})
