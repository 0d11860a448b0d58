# The Windows installer's script: cmake/windows-installer/lurkfield-setup.nsi.in,
# configured into the build folder with the version, the files a Windows build
# installs (the zip's), the predator icon and the license. scripts/package.sh
# makes lurkfield-VERSION-windows-x86_64-setup.exe from it with NSIS's makensis,
# given the folder `cmake --install` filled (STAGE) and where the installer goes
# (OUTDIR).
#
#   lurkfield_windows_installer(PROGRAMS target... FILES path...)
#       PROGRAMS: the programs' targets; FILES: the other files, installed by
#       their names.
function(lurkfield_windows_installer)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "" "PROGRAMS;FILES")
  if(NOT TARGET lurkfield)
    return() # no window program, so no icon and nothing for the Start menu to start
  endif()
  get_target_property(app_build_dir lurkfield BINARY_DIR)
  # lurkfield_predator_icon (cmake/WindowsResources.cmake) draws it there.
  set(LURKFIELD_SETUP_ICON ${app_build_dir}/lurkfield.ico)
  set(LURKFIELD_SETUP_LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt)
  set(LURKFIELD_SETUP_SOURCE_DIR ${PROJECT_SOURCE_DIR}/cmake/windows-installer)

  set(installed "")
  foreach(program IN LISTS arg_PROGRAMS)
    list(APPEND installed ${program}.exe)
    string(APPEND LURKFIELD_SETUP_PROGRAMS "  !insertmacro RefuseIfInUse \"\${UN}\" ${program}.exe\n")
  endforeach()
  foreach(file IN LISTS arg_FILES)
    get_filename_component(name ${file} NAME)
    list(APPEND installed ${name})
  endforeach()
  foreach(file IN LISTS installed)
    string(APPEND LURKFIELD_SETUP_FILES "  File \"\${STAGE}\\${file}\"\n")
    string(APPEND LURKFIELD_SETUP_DELETES "  Delete \"$INSTDIR\\${file}\"\n")
  endforeach()
  configure_file(${LURKFIELD_SETUP_SOURCE_DIR}/lurkfield-setup.nsi.in
                 ${CMAKE_BINARY_DIR}/lurkfield-setup.nsi @ONLY)
endfunction()
