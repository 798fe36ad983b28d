# Cross-builds the Windows programs on Debian with mingw-w64 (the -posix
# compilers, whose std::thread and <mutex> work) into single static
# executables; ctest runs them under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# The cross-built wx (VELLCONF_WX_PREFIX, from tools/build-wxmsw) and the
# mingw sysroot are the only places libraries are looked for; the host's
# headers-only packages (nlohmann-json) are found through their own config.
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${VELLCONF_WX_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
if(VELLCONF_WX_PREFIX)
  set(wxWidgets_CONFIG_EXECUTABLE ${VELLCONF_WX_PREFIX}/bin/wx-config)
endif()

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
