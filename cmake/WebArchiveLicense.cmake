# Run by cpack for the web archive (CPackWebConfig.cmake): LICENSE beside the
# site's files, in the folder being packed.
file(INSTALL "${LURKFIELD_LICENSE}" DESTINATION "${CMAKE_INSTALL_PREFIX}")
