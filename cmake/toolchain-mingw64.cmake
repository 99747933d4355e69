# Cross-builds the Windows program with Debian's MinGW-w64 (posix threads), into one static .exe.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The exe is the same bytes for the same sources wherever and whenever it is built: no time stamp
# in its header, and the source folder mapped away in what the compiler records of it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")
get_filename_component(BRONTEK_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
set(CMAKE_CXX_FLAGS_INIT "-ffile-prefix-map=${BRONTEK_SOURCE_DIR}=.")
# Tests of the Windows build run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
