# Reproducible Windows builds: the same commit gives the same bytes in any folder at any time
# (scripts/release.sh --check builds twice and compares). Set here for every target rather than
# in the toolchain files, whose flags an existing build folder would keep from its first run.
#  - The objects name no source or build folder (__FILE__, debug sections of unstripped
#    builds). The build folder is mapped last: it may lie inside the source folder, and the last
#    matching map wins. The resource compiler takes no such options, hence the language test.
#  - The linker writes no time stamp into the PE headers: it stays 0.
if(NOT WIN32)
    return()
endif()
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>"
                    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=build>")
add_link_options(-Wl,--no-insert-timestamp)
