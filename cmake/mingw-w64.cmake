# Cross build of the Windows program with mingw-w64's posix-threads compilers, for the
# processor that the including toolchain file sets in CMAKE_SYSTEM_PROCESSOR.
set(CMAKE_SYSTEM_NAME Windows)
set(DG_MINGW ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${DG_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DG_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${DG_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DG_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs run under Wine, in the prefix that tools/wine-run keeps in the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
