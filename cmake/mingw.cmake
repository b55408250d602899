# Cross toolchain for Windows with Debian's MinGW-w64, for the processor the including toolchain
# file names (i686: the shipped 32-bit program; x86_64: the same tree for machines whose Linux
# runs only 64-bit programs, where only the 64-bit Wine can run the tests). The -win32 compilers:
# their runtime is built on the oldest Windows threads, where the -posix ones bring a thread layer
# that imports what Windows 95 and NT 4.0 lack (GetTickCount64, vectored exception handlers).
# The program has one thread and no locks; GoogleTest gets the one class it builds on std::mutex
# from a port header (cmake/wine-tests.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VELVANE_MINGW_PROCESSOR})
set(CMAKE_C_COMPILER ${VELVANE_MINGW_PROCESSOR}-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER ${VELVANE_MINGW_PROCESSOR}-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER ${VELVANE_MINGW_PROCESSOR}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VELVANE_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# One self-contained exe: no MinGW runtime DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
