# Cross build for 64-bit Windows with Debian's MinGW-w64, run under Wine.
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw_triplet x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-target.cmake)

# Wine runs the tests (and anything CMake runs at build time) in a prefix of its own inside
# the build folder, so nothing ever touches ~/.wine.
set(QUILLET_WINEPREFIX "${CMAKE_BINARY_DIR}/wine" CACHE PATH "Wine prefix for running the build")
set(CMAKE_CROSSCOMPILING_EMULATOR
    env WINEPREFIX=${QUILLET_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
    wine)
