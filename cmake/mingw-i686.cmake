# Cross toolchain: 32-bit Windows, the shipped program.
set(VELVANE_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
