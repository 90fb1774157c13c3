# What both Windows cross builds share; the toolchain file that includes this names the
# target first (mingw_triplet, CMAKE_SYSTEM_PROCESSOR).
set(CMAKE_SYSTEM_NAME Windows)

# The -posix flavour: the -win32 one has no std::thread or std::mutex.
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static archives only (libgcc and libstdc++ too, with the toolchain's own exception
# model), so the programs need no MinGW or zlib DLL beside them.
set(ZLIB_USE_STATIC_LIBS ON)
# Terminal-server aware: a program on a shared server sees its own Windows folder, not
# a copy the system makes per user.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--tsaware")
