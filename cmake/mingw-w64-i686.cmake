# Cross build for 32-bit Windows with Debian's MinGW-w64. Nothing here can run 32-bit
# code, so this build has no emulator: its programs are built and inspected, not run.
#   cmake -S . -B build/windows32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
set(CMAKE_SYSTEM_PROCESSOR i686)
set(mingw_triplet i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-target.cmake)

# 32-bit Windows calls window, dialog, timer and COM callbacks with the stack aligned to
# 4 bytes only, while GCC assumes 16: every function that needs more realigns its own.
# Floating point in SSE2 registers, as on 64-bit: the x87 unit's wider intermediates could
# place a coordinate on the other side of a limit than the 64-bit program does.
set(quillet_i686_flags "-mincoming-stack-boundary=2 -msse2 -mfpmath=sse")
set(CMAKE_C_FLAGS_INIT "${quillet_i686_flags}")
set(CMAKE_CXX_FLAGS_INIT "${quillet_i686_flags}")
