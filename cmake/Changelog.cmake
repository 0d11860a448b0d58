# What the build takes from CHANGELOG.md before anything is built: the
# releases' versions and dates, newest first. The newest must be this
# project's version, so that no version is made without its entry.
#   LURKFIELD_RELEASE_DATE        the day this version was released, YYYY-MM-DD
#   LURKFIELD_APPSTREAM_RELEASES  a <release> line of the AppStream metadata for each
set(lurkfield_changelog ${PROJECT_SOURCE_DIR}/CHANGELOG.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${lurkfield_changelog})
file(STRINGS ${lurkfield_changelog} lurkfield_release_headings
     REGEX "^## \\[[0-9]+\\.[0-9]+\\.[0-9]+\\] - [0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$")

set(LURKFIELD_APPSTREAM_RELEASES "")
foreach(heading IN LISTS lurkfield_release_headings)
  string(REGEX REPLACE "^## \\[([0-9.]+)\\] - (.+)$" "\\1" version "${heading}")
  string(REGEX REPLACE "^## \\[([0-9.]+)\\] - (.+)$" "\\2" date "${heading}")
  if(NOT DEFINED LURKFIELD_RELEASE_DATE)
    if(NOT version STREQUAL PROJECT_VERSION)
      message(FATAL_ERROR "CHANGELOG.md's newest release is ${version}, not ${PROJECT_VERSION}: "
                          "write the entry of ${PROJECT_VERSION} (\"## [${PROJECT_VERSION}] - YYYY-MM-DD\")")
    endif()
    set(LURKFIELD_RELEASE_DATE ${date})
  endif()
  string(APPEND LURKFIELD_APPSTREAM_RELEASES "    <release version=\"${version}\" date=\"${date}\"/>\n")
endforeach()
if(NOT DEFINED LURKFIELD_RELEASE_DATE)
  message(FATAL_ERROR "CHANGELOG.md holds no release heading \"## [X.Y.Z] - YYYY-MM-DD\"")
endif()
