# Cross-building the Qt-free core for 64-bit Windows with Debian's
# mingw-w64 (the POSIX thread model, so that std::thread and std::mutex
# exist), and running its tests under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# ctest starts every test executable through Wine (Debian's wine64 keeps its
# loader in /usr/lib/wine unless the wine package adds the command).
find_program(WYKAZKI_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(WYKAZKI_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WYKAZKI_WINE})
endif()
