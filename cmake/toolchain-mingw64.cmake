# Cross build for 64-bit Windows with Debian's mingw-w64 (package g++-mingw-w64-x86-64):
#   cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake -DLURKFIELD_TESTS=OFF
# scripts/build-windows.sh does exactly this.
#
# The programs use the real <windows.h>, user32 and gdi32 of mingw-w64. Everything is linked
# statically, so lurkfield.exe needs only DLLs that every Windows has (KERNEL32, USER32, GDI32
# and the C runtime msvcrt).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LURKFIELD_MINGW_PREFIX x86_64-w64-mingw32)
# The win32 thread model: the program has one thread, and the posix variant would
# drag in libwinpthread.
find_program(CMAKE_C_COMPILER NAMES ${LURKFIELD_MINGW_PREFIX}-gcc-win32 ${LURKFIELD_MINGW_PREFIX}-gcc)
find_program(CMAKE_CXX_COMPILER NAMES ${LURKFIELD_MINGW_PREFIX}-g++-win32 ${LURKFIELD_MINGW_PREFIX}-g++)
find_program(CMAKE_RC_COMPILER NAMES ${LURKFIELD_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LURKFIELD_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No libgcc, libstdc++ or winpthread DLLs beside the programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

include(${CMAKE_CURRENT_LIST_DIR}/HostBoost.cmake)
