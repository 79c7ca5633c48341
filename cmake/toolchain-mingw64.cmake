# Cross-compiles Zendrift for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64).
#
#   cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake
#
# Debian ships no GoogleTest for Windows: without -DGTest_DIR naming one, the tests are left out
# (scripts/windows-tests.sh builds one and runs the tests under Wine).
# The POSIX-threads flavour of the compiler is used because its C++ library has std::thread and
# std::mutex. Executables are linked statically so that they run on a bare Windows or in a fresh
# Wine prefix without the compiler's DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZENDRIFT_MINGW_TRIPLET x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${ZENDRIFT_MINGW_TRIPLET}-gcc-posix ${ZENDRIFT_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${ZENDRIFT_MINGW_TRIPLET}-g++-posix ${ZENDRIFT_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${ZENDRIFT_MINGW_TRIPLET}-windres windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${ZENDRIFT_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows 7 and later; the wide-character APIs throughout.
set(CMAKE_C_FLAGS_INIT "-D_WIN32_WINNT=0x0601 -DUNICODE -D_UNICODE")
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0601 -DUNICODE -D_UNICODE")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Lets CTest and test discovery run the cross-built programs on Linux.
find_program(ZENDRIFT_WINE NAMES wine wine64)
if(ZENDRIFT_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZENDRIFT_WINE})
endif()
