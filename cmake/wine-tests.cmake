# GoogleTest for Windows, built from Debian's sources.
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# The compilers' win32 thread model (cmake/mingw.cmake) has no std::mutex: GoogleTest takes the
# one class it builds on it from this folder's port header instead.
target_include_directories(gtest BEFORE PUBLIC
                           $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}/tests/wine/gtest-port>)
include(GoogleTest)

# The session fixture: a fresh prefix and an Xvfb display for the whole run, torn down after it.
add_test(NAME wine.session.start COMMAND ${WINE_HARNESS}/session.sh start ${WINE_STATE_DIR})
add_test(NAME wine.session.stop COMMAND ${WINE_HARNESS}/session.sh stop ${WINE_STATE_DIR})
set_tests_properties(wine.session.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 120)
set_tests_properties(wine.session.stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)

# Each test of a program is an entry of its own in the test list. Tests that use what every
# program on the display shares (the cursor, the focus, the active window, files of the prefix)
# run alone (tests/wine/runs_alone.h): add_wine_gtests_alone registers those matching a gtest
# filter as serial entries with VELVANE_RUN_ALONE set (ARGN: more test properties), and
# add_wine_gtest, called after every such call for the program, registers the rest to run side
# by side. So no test is listed twice, and none skips.
set(WINE_GTEST_DISCOVERY DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 NO_PRETTY_VALUES)
function(add_wine_gtests_alone target filter)
    gtest_discover_tests(${target} ${WINE_GTEST_DISCOVERY} TEST_FILTER ${filter}
                         PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 180 RUN_SERIAL TRUE
                                    ENVIRONMENT VELVANE_RUN_ALONE=1 ${ARGN})
    set_property(TARGET ${target} APPEND PROPERTY VELVANE_ALONE_FILTERS ${filter})
endfunction()
function(add_wine_gtest target)
    get_target_property(alone ${target} VELVANE_ALONE_FILTERS)
    set(filter "")
    if(alone)
        list(JOIN alone ":" alone)
        set(filter TEST_FILTER "-${alone}")
    endif()
    gtest_discover_tests(${target} ${WINE_GTEST_DISCOVERY} ${filter}
                         PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 120)
endfunction()

# What every test shares: temp folders, whole files, bitmaps (tests/support).
add_library(velvane_test_support STATIC tests/support/temp_folder_win.cpp)
target_include_directories(velvane_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests)
target_compile_options(velvane_test_support PRIVATE ${VELVANE_WARNINGS})
# Where SourceTreePath finds the repository's files.
target_compile_definitions(velvane_test_support PRIVATE "VELVANE_SOURCE_DIR=\"${CMAKE_SOURCE_DIR}\"")

# The driver: finds the program's windows and message boxes from outside.
add_library(velvane_driver STATIC tests/wine/driver/driver.cpp)
target_include_directories(velvane_driver PUBLIC ${CMAKE_SOURCE_DIR}/tests/wine ${CMAKE_SOURCE_DIR}/tests)
target_compile_options(velvane_driver PRIVATE ${VELVANE_WARNINGS})
target_link_libraries(velvane_driver PUBLIC velvane_test_support ${WIN32_SYSTEM_LIBS})
add_executable(velvane-driver tests/wine/driver/driver_main.cpp)
target_compile_options(velvane-driver PRIVATE ${VELVANE_WARNINGS})
target_link_libraries(velvane-driver PRIVATE velvane_driver)

# In-process tests of the Win32 glue.
file(GLOB GLUE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/glue/*.cpp)
add_executable(glue_tests ${GLUE_TEST_SOURCES})
target_compile_options(glue_tests PRIVATE ${VELVANE_WARNINGS})
target_link_libraries(glue_tests PRIVATE velvane_glue velvane_driver gtest_main)
# Tests of the cursor, the focus and the active window run alone.
add_wine_gtests_alone(glue_tests
    Endings/AboutBoxModal.*:ImageShapeDragTest.*:ImageShapePictureTest.AskTheActive*)

# End-to-end tests: sample discs in temp folders, autostart.exe run on them, read from outside.
file(GLOB E2E_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/e2e/*.cpp)
add_executable(e2e_tests ${E2E_TEST_SOURCES})
target_compile_options(e2e_tests PRIVATE ${VELVANE_WARNINGS})
target_link_libraries(e2e_tests PRIVATE velvane_driver gtest_main)
add_dependencies(e2e_tests autostart)
add_test(NAME e2e.german_user COMMAND e2e_tests --gtest_filter=*InTheUsersLanguage)
set_tests_properties(e2e.german_user PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 120
                     ENVIRONMENT "VELVANE_LC_ALL=de_DE.UTF-8;VELVANE_EXPECT_GERMAN=1")

# Reports the Windows version code, run by the glue tests under pretended releases.
add_executable(version_probe tests/wine/probes/version_probe.cpp)
target_compile_options(version_probe PRIVATE ${VELVANE_WARNINGS})
target_link_libraries(version_probe PRIVATE velvane_glue)
add_dependencies(glue_tests version_probe)

# The skin region benchmark: build times of skin regions, the control's method against the
# naive one. Not a test and not registered with CTest; run it by hand: wine bin/region_bench.exe
add_executable(region_bench tests/wine/bench/region_bench.cpp)
target_compile_options(region_bench PRIVATE ${VELVANE_WARNINGS})
target_link_libraries(region_bench PRIVATE velvane_glue)

# The start-up benchmark (scripts/bench.sh): autostart.exe against a trivial window program built
# the same way. Not tests either.
add_executable(trivial_window WIN32 tests/wine/bench/trivial_window.cpp)
target_compile_options(trivial_window PRIVATE ${VELVANE_WARNINGS})
target_link_options(trivial_window PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
add_executable(startup_bench tests/wine/bench/startup_bench.cpp)
target_compile_options(startup_bench PRIVATE ${VELVANE_WARNINGS})
target_link_libraries(startup_bench PRIVATE psapi)

# Requirement libraries for the tests: fulfilled, not fulfilled, one without the export, and one
# that faults.
# --kill-at gives the undecorated export name a requirement library must have.
function(add_requirement_library name)
    add_library(${name} SHARED tests/wine/probes/requirement_check.cpp)
    set_target_properties(${name} PROPERTIES PREFIX "")
    target_compile_options(${name} PRIVATE ${VELVANE_WARNINGS})
    target_compile_definitions(${name} PRIVATE ${ARGN})
    target_link_options(${name} PRIVATE -Wl,--kill-at)
    add_dependencies(e2e_tests ${name})
endfunction()
add_requirement_library(requirement_fulfilled REQUIREMENT_ANSWER=1)
add_requirement_library(requirement_unfulfilled REQUIREMENT_ANSWER=0)
add_requirement_library(requirement_without_export REQUIREMENT_ANSWER=1
                        REQUIREMENT_WITHOUT_EXPORT)
add_requirement_library(requirement_faulting REQUIREMENT_ANSWER=1 REQUIREMENT_FAULT)
add_requirement_library(requirement_answer_two REQUIREMENT_ANSWER=2)

# A program that records its runs, for discs whose links start programs and documents.
add_executable(launch_recorder tests/wine/probes/launch_recorder.cpp)
target_compile_options(launch_recorder PRIVATE ${VELVANE_WARNINGS})
add_dependencies(e2e_tests launch_recorder)

# The version resource of a WebBrowser library too old for the program (4.71), put in place of
# the prefix's own by a test that runs alone.
add_library(old_browser_version SHARED tests/wine/probes/old_browser_version.cpp
                                       tests/wine/probes/old_browser_version.rc)
set_target_properties(old_browser_version PROPERTIES PREFIX "")
add_dependencies(e2e_tests old_browser_version)
# The example disc's own requirement library, for the runs of the example disc.
add_dependencies(e2e_tests screencheck)
# The old library's test, and the drag tests, which move the cursor.
add_wine_gtests_alone(e2e_tests OldBrowser.*:Skin.Dragging*)
include(cmake/standin.cmake)

# The rest of each program's tests, side by side.
add_wine_gtest(glue_tests)
add_wine_gtest(e2e_tests)
