# velvane-check, the disc checker for authors. Its logic is platform-free and lives in
# velvane_logic (src/check/); only its entry point is built here: natively, and in the cross
# build as the Windows console program velvane-check.exe beside autostart.exe.
add_executable(velvane-check src/check/check_main.cpp)
target_compile_options(velvane-check PRIVATE ${VELVANE_WARNINGS})
target_link_libraries(velvane-check PRIVATE velvane_logic)
target_include_directories(velvane-check PRIVATE ${VELVANE_VERSION_DIR})

if(WIN32)
    target_link_options(velvane-check PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
    # The end-to-end tests hold the checker's predictions against what autostart.exe shows.
    if(TARGET e2e_tests)
        target_link_libraries(e2e_tests PRIVATE velvane_logic)
    endif()
    return()
endif()

target_compile_options(velvane-check PRIVATE ${SANITIZE})
target_link_options(velvane-check PRIVATE ${SANITIZE})

# The example discs, laid out as an author burns them (as scripts/demo.sh does), must pass the
# checker without a finding. Their requirement library is a Windows DLL, built here with the
# MinGW compiler that the cross build uses.
find_program(VELVANE_MINGW_CXX NAMES i686-w64-mingw32-g++-win32 i686-w64-mingw32-g++)
if(NOT VELVANE_MINGW_CXX)
    message(STATUS "No MinGW compiler: the example discs are not checked")
    return()
endif()
set(EXAMPLE_LIBRARY ${CMAKE_BINARY_DIR}/example-discs/screencheck.dll)
add_custom_command(
    OUTPUT ${EXAMPLE_LIBRARY}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/example-discs
    COMMAND ${VELVANE_MINGW_CXX} -shared -O2 -static -Wl,--kill-at -s
            ${CMAKE_SOURCE_DIR}/examples/requirements/screen_check.cpp -o ${EXAMPLE_LIBRARY}
    DEPENDS ${CMAKE_SOURCE_DIR}/examples/requirements/screen_check.cpp
    COMMENT "Building the example disc's requirement library")
add_custom_target(example_requirement_library ALL DEPENDS ${EXAMPLE_LIBRARY})
foreach(variant plain skinned)
    add_test(NAME velvane_check.example_disc_${variant}
             COMMAND ${CMAKE_COMMAND} -DCHECKER=$<TARGET_FILE:velvane-check>
                     -DSOURCE=${CMAKE_SOURCE_DIR} -DLIBRARY=${EXAMPLE_LIBRARY}
                     -DDISC=${CMAKE_BINARY_DIR}/example-discs/${variant} -DVARIANT=${variant}
                     -P ${CMAKE_SOURCE_DIR}/tests/check/example_disc.cmake)
    set_tests_properties(velvane_check.example_disc_${variant} PROPERTIES TIMEOUT 60)
endforeach()
