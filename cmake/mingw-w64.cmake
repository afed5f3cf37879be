# Cross-builds rainprep.exe on Linux with Debian's MinGW-w64 compiler (g++-mingw-w64-x86-64):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
#   cmake --build build-windows --target rainprep
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The compiler with POSIX threads (winpthread): its standard library has std::mutex and
# std::thread, which GoogleTest needs; the Win32-threads one has neither.
set(RAINPREP_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${RAINPREP_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RAINPREP_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${RAINPREP_MINGW_PREFIX}-windres)

# Libraries and headers come from the MinGW tree only; programs (cmake's helpers) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${RAINPREP_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A static link puts libgcc, libstdc++ and winpthread inside the executable, so it runs on a
# bare Windows with only the system's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Programs built here can still be run here, through Wine: ctest and GoogleTest's test
# discovery start them through it.
find_program(RAINPREP_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(RAINPREP_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RAINPREP_WINE})
endif()

# The tests and benchmarks drive the program from the build machine (tests/windows), so a
# cross build makes the program alone unless asked otherwise.
set(RAINPREP_TESTS OFF CACHE BOOL "Build the unit and end-to-end tests")
set(RAINPREP_BENCH OFF CACHE BOOL "Build the event generator and the rewrite benchmarks")
