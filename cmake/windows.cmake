# Cross build: autostart.exe, and the tests that run under Wine.
enable_language(RC)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# The i686 build is the shipped program; the x86_64 build of the same tree exists for machines
# whose Linux runs no 32-bit programs, where only a 64-bit Wine can run the tests.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(VELVANE_MANIFEST_ARCH amd64)
    set(VELVANE_WINE_ARCH win64)
else()
    set(VELVANE_MANIFEST_ARCH x86)
    set(VELVANE_WINE_ARCH win32)
endif()
configure_file(res/autostart.manifest.in ${CMAKE_BINARY_DIR}/res/autostart.manifest @ONLY)

# Tests run through the Wine harness: a private prefix and display under this folder, of the
# Wine architecture that runs this build's programs.
set(WINE_STATE_DIR ${CMAKE_BINARY_DIR}/wine)
file(MAKE_DIRECTORY ${WINE_STATE_DIR})
file(WRITE ${WINE_STATE_DIR}/arch ${VELVANE_WINE_ARCH})
set(WINE_HARNESS ${CMAKE_SOURCE_DIR}/tests/wine/harness)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_HARNESS}/wine-run.sh ${WINE_STATE_DIR})

set(WIN32_SYSTEM_LIBS ole32 oleaut32 uuid comctl32 shell32 shlwapi version winmm gdi32 user32)

# What ships is compiled against the headers of Windows 95 and NT 4.0 with the common controls
# of Internet Explorer 4.01, the oldest systems it runs on: what newer systems add is missing from
# the headers then, and so cannot slip in as an import. Whatever newer the program uses is looked
# up at run time, with the older way beside it. The tests keep the newest headers.
set(VELVANE_OLDEST_WINDOWS WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_WINDOWS=0x0400 _WIN32_IE=0x0401)

add_library(velvane_glue STATIC ${GLUE_SOURCES})
target_compile_options(velvane_glue PRIVATE ${VELVANE_WARNINGS})
target_compile_definitions(velvane_glue PRIVATE ${VELVANE_OLDEST_WINDOWS}
                                        PUBLIC NOMINMAX WIN32_LEAN_AND_MEAN)
target_link_libraries(velvane_glue PUBLIC velvane_logic ${WIN32_SYSTEM_LIBS})

# The shipped exe is built for size: it lies on every disc, and none of its work is bound by the
# processor. Every function and datum gets its own section, so the link keeps only what is used.
set(VELVANE_SIZE_OPTIONS -Os -ffunction-sections -fdata-sections)
foreach(target velvane_logic velvane_glue)
    target_compile_options(${target} PRIVATE "$<$<CONFIG:Release,MinSizeRel>:${VELVANE_SIZE_OPTIONS}>")
endforeach()

add_executable(autostart WIN32 src/app/main_win.cpp src/app/abi_demangle_win.cpp res/autostart.rc)
target_compile_options(autostart PRIVATE "$<$<CONFIG:Release,MinSizeRel>:${VELVANE_SIZE_OPTIONS}>")
target_compile_options(autostart PRIVATE ${VELVANE_WARNINGS})
target_link_libraries(autostart PRIVATE velvane_glue)
target_compile_definitions(autostart PRIVATE ${VELVANE_OLDEST_WINDOWS})
# The manifest of this build's processor comes from the build folder.
target_include_directories(autostart PRIVATE ${CMAKE_BINARY_DIR}/res ${VELVANE_VERSION_DIR})
# The shipped exe carries no symbols: it lies on every disc.
target_link_options(autostart PRIVATE "$<$<CONFIG:Release,MinSizeRel>:-s;-Wl,--gc-sections>")

add_test(NAME exe.deferred_imports
         COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DEXE=$<TARGET_FILE:autostart>
                 -P ${CMAKE_SOURCE_DIR}/cmake/check-imports.cmake)
# What ships on a disc imports only what Windows 95 and NT 4.0 have (see the table). The 64-bit
# build's tests run the check on its own programs; scripts/test.sh runs it on the shipped 32-bit
# ones (ctest -R '^exe\.' in build/win32).
foreach(target autostart screencheck)
    add_test(NAME exe.import_floor.${target}
             COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DBINARY=$<TARGET_FILE:${target}>
                     -DTABLE=${CMAKE_SOURCE_DIR}/cmake/import-floor.txt
                     -DARCH=${CMAKE_SYSTEM_PROCESSOR}
                     -P ${CMAKE_SOURCE_DIR}/cmake/check-import-floor.cmake)
endforeach()

if(VELVANE_BUILD_TESTS OR NOT DEFINED VELVANE_BUILD_TESTS)
    include(cmake/wine-tests.cmake)
endif()

# The example disc's requirement library (examples/requirements).
add_library(screencheck SHARED examples/requirements/screen_check.cpp)
set_target_properties(screencheck PROPERTIES PREFIX "")
target_compile_options(screencheck PRIVATE ${VELVANE_WARNINGS})
target_compile_definitions(screencheck PRIVATE ${VELVANE_OLDEST_WINDOWS})
target_link_options(screencheck PRIVATE -Wl,--kill-at -s)
