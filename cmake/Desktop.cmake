# The window program on desktops other than Windows (freedesktop.org): a menu
# entry, the predator icon in the hicolor theme and the AppStream metadata of
# software centres, all named by the application's id.
#
# The program plays the lurkfield.config of the folder it starts in, and a
# menu starts it in the user's home: the entry starts a launcher that first
# goes to the user's Lurkfield folder, given a copy of the sample world when
# it holds none. The entry names the launcher by its path under
# CMAKE_INSTALL_PREFIX, so a package is configured with its own prefix
# (scripts/package.sh: /usr).
set(LURKFIELD_APP_ID org.lurkfield.Lurkfield)
set(lurkfield_desktop ${CMAKE_BINARY_DIR}/desktop)

configure_file(cmake/lurkfield-launcher.sh.in ${lurkfield_desktop}/lurkfield-launcher @ONLY)
install(PROGRAMS ${lurkfield_desktop}/lurkfield-launcher
        DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/lurkfield)
configure_file(cmake/lurkfield.desktop.in ${lurkfield_desktop}/${LURKFIELD_APP_ID}.desktop @ONLY)
install(FILES ${lurkfield_desktop}/${LURKFIELD_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(cmake/lurkfield.metainfo.xml.in ${lurkfield_desktop}/${LURKFIELD_APP_ID}.metainfo.xml
               @ONLY)
install(FILES ${lurkfield_desktop}/${LURKFIELD_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon as PNG files, drawn at build time by app/icon/make_icon_png.cpp from
# the board's predator figure, as the Windows icon is.
find_package(ZLIB REQUIRED)
add_executable(lurkfield-make-icon-png
  app/icon/make_icon_png.cpp app/icon/PngFile.cpp app/icon/PredatorIcon.cpp
  app/Figures.cpp app/BoardGeometry.cpp)
target_include_directories(lurkfield-make-icon-png PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(lurkfield-make-icon-png PRIVATE ZLIB::ZLIB)
set(lurkfield_icons "")
foreach(size 16 32 48 64 128 256)
  set(png ${lurkfield_desktop}/icons/${size}x${size}/${LURKFIELD_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${lurkfield_desktop}/icons/${size}x${size}
    COMMAND lurkfield-make-icon-png ${size} ${png}
    DEPENDS lurkfield-make-icon-png
    COMMENT "Drawing the ${size} x ${size} icon"
    VERBATIM)
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  list(APPEND lurkfield_icons ${png})
endforeach()
add_custom_target(lurkfield-desktop-icons ALL DEPENDS ${lurkfield_icons})
