# The resources every Windows program of ours carries: a version resource from
# the project's one version, and an application manifest (cmake/program.*.in).
# The window program also carries its icon, made at build time by
# app/icon/make_icon.cpp, which must run on the build machine: when building
# for Windows from another system, it is compiled with the build machine's own
# C++ compiler.
#
#   lurkfield_windows_resources(TARGET DESCRIPTION "text" [ICON])
function(lurkfield_windows_resources target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "ICON" "DESCRIPTION" "")
  set(LURKFIELD_RC_NAME ${target})
  set(LURKFIELD_RC_DESCRIPTION "${arg_DESCRIPTION}")
  set(LURKFIELD_RC_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  set(LURKFIELD_RC_ICON_LINE "")
  if(arg_ICON)
    lurkfield_predator_icon(icon)
    set(LURKFIELD_RC_ICON_LINE "// The program's icon, the first in the file: the predator figure.\n1 ICON \"${icon}\"\n")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/cmake/program.manifest.in ${LURKFIELD_RC_MANIFEST} @ONLY)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/program.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${LURKFIELD_RC_MANIFEST};${icon}")
  target_sources(${target} PRIVATE ${rc})
endfunction()

# Makes lurkfield.ico in the current build folder; sets OUT to its path.
function(lurkfield_predator_icon out)
  set(sources
    ${PROJECT_SOURCE_DIR}/app/icon/make_icon.cpp
    ${PROJECT_SOURCE_DIR}/app/icon/PredatorIcon.cpp
    ${PROJECT_SOURCE_DIR}/app/Figures.cpp
    ${PROJECT_SOURCE_DIR}/app/BoardGeometry.cpp)
  if(CMAKE_CROSSCOMPILING)
    find_program(LURKFIELD_BUILD_MACHINE_CXX NAMES g++ c++ clang++ REQUIRED
                 DOC "The build machine's own C++ compiler, for tools the build runs")
    set(maker ${CMAKE_CURRENT_BINARY_DIR}/make-icon)
    add_custom_command(OUTPUT ${maker}
      COMMAND ${LURKFIELD_BUILD_MACHINE_CXX} -std=c++20 -O2 -I${PROJECT_SOURCE_DIR} ${sources} -o ${maker}
      DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/app/icon/PredatorIcon.h ${PROJECT_SOURCE_DIR}/app/Figures.h
              ${PROJECT_SOURCE_DIR}/app/BoardGeometry.h
      COMMENT "Building make-icon for the build machine"
      VERBATIM)
  else()
    add_executable(lurkfield-make-icon ${sources})
    target_include_directories(lurkfield-make-icon PRIVATE ${PROJECT_SOURCE_DIR})
    set(maker lurkfield-make-icon)
  endif()
  set(icon ${CMAKE_CURRENT_BINARY_DIR}/lurkfield.ico)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${maker} ${icon}
    DEPENDS ${maker}
    COMMENT "Drawing the program's icon"
    VERBATIM)
  set(${out} ${icon} PARENT_SCOPE)
endfunction()
