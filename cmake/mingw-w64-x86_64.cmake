# Cross-building the Windows program with Debian's mingw-w64 (the POSIX thread model, which
# std::thread needs). Everything links statically, so sonvik.exe runs on a bare Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SONVIK_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SONVIK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SONVIK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${SONVIK_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SONVIK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine here.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
