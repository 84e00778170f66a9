# Cross-building for 64-bit Windows on Debian with mingw-w64 (the POSIX
# thread model, so that std::thread works), linked statically: osk.exe needs
# no DLLs beside it.  Used by scripts/build-windows.sh:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(OSK_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${OSK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OSK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${OSK_MINGW_TRIPLET}-windres)

# Libraries and headers of the target only; programs of the build host.
set(CMAKE_FIND_ROOT_PATH /usr/${OSK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and winpthread inside the executable.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Release executables without symbols (a third of the size).
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
