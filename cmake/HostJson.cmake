# nlohmann-json is header-only, and Debian's headers serve any target. As for Boost
# (HostBoost.cmake), the build tree gets a folder that holds nothing but a link to them,
# never /usr/include itself: the page's program writes and reads the sweep's records.
# Included by the Emscripten toolchain file; CMakeLists.txt makes the target of it.
set(LURKFIELD_HOST_NLOHMANN_JSON /usr/include/nlohmann CACHE PATH
    "nlohmann-json headers shared with the host")
if(NOT CMAKE_IN_TRY_COMPILE)
  if(NOT EXISTS ${LURKFIELD_HOST_NLOHMANN_JSON}/json.hpp)
    message(FATAL_ERROR "nlohmann-json is not in ${LURKFIELD_HOST_NLOHMANN_JSON} "
                        "(Debian: nlohmann-json3-dev; scripts/install-deps.sh web)")
  endif()
  set(_lurkfield_json_dir ${CMAKE_BINARY_DIR}/nlohmann-json-only)
  if(NOT EXISTS ${_lurkfield_json_dir}/nlohmann/json.hpp)
    file(MAKE_DIRECTORY ${_lurkfield_json_dir})
    file(CREATE_LINK ${LURKFIELD_HOST_NLOHMANN_JSON} ${_lurkfield_json_dir}/nlohmann SYMBOLIC)
  endif()
  set(LURKFIELD_NLOHMANN_JSON_DIR ${_lurkfield_json_dir} CACHE PATH
      "Folder holding only the nlohmann link")
endif()
