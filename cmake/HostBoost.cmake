# Boost is header-only here, and Debian's headers serve any target. Putting /usr/include on
# a cross compiler's path would mix the host's C library headers into the build, so the
# build tree gets a folder that holds nothing but a link to the Boost headers. Included by
# the cross toolchain files.
set(LURKFIELD_HOST_BOOST /usr/include/boost CACHE PATH "Boost headers shared with the host")
if(NOT CMAKE_IN_TRY_COMPILE)
  set(_lurkfield_boost_dir ${CMAKE_BINARY_DIR}/boost-only)
  if(NOT EXISTS ${_lurkfield_boost_dir}/boost/version.hpp)
    file(MAKE_DIRECTORY ${_lurkfield_boost_dir})
    file(CREATE_LINK ${LURKFIELD_HOST_BOOST} ${_lurkfield_boost_dir}/boost SYMBOLIC)
  endif()
  set(Boost_INCLUDE_DIR ${_lurkfield_boost_dir} CACHE PATH "Folder holding only the boost link")
  # Debian's BoostConfig.cmake names /usr/include; the plain header search does not.
  set(Boost_NO_BOOST_CMAKE ON)
  set(Boost_NO_SYSTEM_PATHS ON)
endif()
