# The stand-in WebBrowser control: a COM in-process server that drives the program's browser host
# as the platform's control does (tests/wine/standin/protocol.h). --kill-at gives the class-object
# exports their plain names, as COM looks them up.
add_library(velvane_standin SHARED
            tests/wine/standin/browser.cpp tests/wine/standin/document.cpp
            tests/wine/standin/input.cpp tests/wine/standin/log.cpp tests/wine/standin/modal.cpp
            tests/wine/standin/module.cpp
            tests/wine/standin/navigation.cpp tests/wine/standin/page.cpp)
set_target_properties(velvane_standin PROPERTIES PREFIX "")
target_include_directories(velvane_standin PRIVATE ${CMAKE_SOURCE_DIR}/tests/wine ${CMAKE_SOURCE_DIR}/src)
target_compile_options(velvane_standin PRIVATE ${VELVANE_WARNINGS})
target_compile_definitions(velvane_standin PRIVATE WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0700
                                                   NOMINMAX WIN32_LEAN_AND_MEAN)
target_link_options(velvane_standin PRIVATE -Wl,--kill-at)
target_link_libraries(velvane_standin PRIVATE ole32 oleaut32 uuid user32 gdi32)
add_dependencies(e2e_tests velvane_standin)
add_dependencies(glue_tests velvane_standin)

# The end-to-end runs with the stand-in register it for the whole prefix: they run alone. Their
# file names outside ASCII need a UTF-8 Unix locale, and C.UTF-8 is the one every machine has.
# (ENVIRONMENT already holds VELVANE_RUN_ALONE, and test discovery cannot pass a list.)
add_wine_gtests_alone(e2e_tests HostedPage.* ENVIRONMENT_MODIFICATION VELVANE_LC_ALL=set:C.UTF-8)
