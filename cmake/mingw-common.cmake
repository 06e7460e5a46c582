# Shared part of the MinGW-w64 toolchains; NW_MINGW_TRIPLE is set by the caller.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${NW_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NW_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${NW_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${NW_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# No DLL beyond Windows' own: the C++ runtime and threads go into the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(NW_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
# The shipped program is small: unused code is dropped and, in release
# builds, symbols are stripped.
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--gc-sections")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-s")
