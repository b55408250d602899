# Fails when a source file includes a header from a folder on its own floor or a higher one.
# The program is built as a house whose floors are listed below, lowest first: a folder may use
# the folders on the floors beneath it, never those above, so no two folders depend on each
# other. A new folder needs a floor here.
# Usage: cmake -DSOURCE_DIR=.../src -P check-layers.cmake
set(floors
    "core"                        # platform-free basics: errors, pixels, hex digits
    "win32"                       # Win32 and COM helpers: handles, windows, GDI, COM objects
    "services"                    # the application object, the message catalogue, error reports
    "config sysinfo"              # the launch settings, the Windows release
    "skin browserhost splash"     # the rooms: skin, browser host, about box
    "window"                      # the main window, which furnishes itself from the rooms
    "app check")                  # the two programs: autostart.exe and the disc checker

set(floor 0)
foreach(folders IN LISTS floors)
    string(REPLACE " " ";" folders "${folders}")
    foreach(folder IN LISTS folders)
        set(floor_of_${folder} ${floor})
    endforeach()
    math(EXPR floor "${floor} + 1")
endforeach()

set(problems "")
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
foreach(source IN LISTS sources)
    string(REGEX MATCH "^[^/]+" from ${source})
    if(NOT DEFINED floor_of_${from})
        string(APPEND problems "\n  ${from}/ has no floor in cmake/check-layers.cmake")
        continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^#include \"[^/\"]+/")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"([^/\"]+)/.*" "\\1" to "${line}")
        if(to STREQUAL from)
            continue()
        endif()
        if(NOT DEFINED floor_of_${to} OR NOT floor_of_${to} LESS floor_of_${from})
            string(APPEND problems "\n  ${source}: ${line}")
        endif()
    endforeach()
endforeach()
if(problems)
    message(FATAL_ERROR "Includes that reach sideways or up:${problems}")
endif()
