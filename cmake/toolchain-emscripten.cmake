# The web build with Debian's Emscripten (package emscripten, 3.1.6): WebAssembly for the
# page and for node.
#   NODE_PATH=/usr/share/nodejs cmake -S . -B build-web/cmake \
#       -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-emscripten.cmake -DLURKFIELD_TESTS=OFF
# scripts/build-web.sh does exactly this and assembles the site. Emscripten's own tools need
# NODE_PATH=/usr/share/nodejs (Debian's node modules), or em++ cannot find 'acorn'.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# Exceptions: the programs link Emscripten's support for them; which sources may catch
# is set in web/CMakeLists.txt. Big worlds need more than the first 16 MB.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions -sALLOW_MEMORY_GROWTH=1")

include(${CMAKE_CURRENT_LIST_DIR}/HostBoost.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/HostJson.cmake)
