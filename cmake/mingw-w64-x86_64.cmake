# mingw-w64-x86_64.cmake: cross-building for 64-bit Windows with Debian's MinGW-w64 (posix threads).
#
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# Libraries are looked up only in ZK_WIN_DEPS (default: .deps/win, filled by cmake/build-win-deps.sh).
# Every program and the module link libgcc, libstdc++ and winpthread statically, so they need only
# the DLLs that come with Windows. Programs built here run through Wine when it is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZK_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZK_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${ZK_MINGW_TRIPLET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${ZK_MINGW_TRIPLET}-ranlib CACHE FILEPATH "")

if(NOT ZK_WIN_DEPS)
  get_filename_component(ZK_WIN_DEPS "${CMAKE_CURRENT_LIST_DIR}/../.deps/win" ABSOLUTE)
endif()
set(ZK_WIN_DEPS "${ZK_WIN_DEPS}" CACHE PATH "Prefix of the libraries built for Windows")
# try_compile projects get the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZK_WIN_DEPS)

set(CMAKE_FIND_ROOT_PATH "${ZK_WIN_DEPS}")
set(CMAKE_PREFIX_PATH "${ZK_WIN_DEPS}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_LIBDIR} "${ZK_WIN_DEPS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# The C++ runtime (libstdc++, libgcc) and winpthread go into each file. The link writes no time
# stamp into the file, so that one commit always gives the same module bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(ZK_WINE NAMES wine wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
  if(ZK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${ZK_WINE}")
  endif()
endif()
