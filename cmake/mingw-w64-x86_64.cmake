# Cross-builds the game for 64-bit Windows with Debian's mingw-w64 (the posix
# thread model, for std::thread and std::mutex), with the C and C++ runtimes
# linked in: barmen.exe needs no DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)

# BARMEN_DEPS: where tools/windows put the libraries it built for Windows.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw} ${BARMEN_DEPS})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BARMEN_DEPS)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows 10 and later: per-monitor DPI (GetDpiForWindow) is there.
add_compile_definitions(_WIN32_WINNT=0x0A00 WINVER=0x0A00 UNICODE _UNICODE)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
