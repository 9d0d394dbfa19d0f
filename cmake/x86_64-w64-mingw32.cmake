# The Windows program for x86_64, for the tests on a machine whose kernel runs no 32-bit
# programs (tools/windows-variant).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
