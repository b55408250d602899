# Native build: unit tests of the platform-free logic, under AddressSanitizer and UBSan.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(velvane_logic PRIVATE ${SANITIZE})

find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_compile_options(unit_tests PRIVATE ${VELVANE_WARNINGS} ${SANITIZE})
target_link_options(unit_tests PRIVATE ${SANITIZE})
target_include_directories(unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(unit_tests PRIVATE velvane_logic GTest::gtest_main)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 60)

# settings-reference prints the key reference of autorun.inf from the one table of keys
# (src/config/launch_settings.h); a unit test holds README.md's copy of it against that table.
add_executable(settings-reference ${CMAKE_SOURCE_DIR}/tools/settings_reference.cpp)
target_compile_options(settings-reference PRIVATE ${VELVANE_WARNINGS} ${SANITIZE})
target_link_options(settings-reference PRIVATE ${SANITIZE})
target_link_libraries(settings-reference PRIVATE velvane_logic)
target_compile_definitions(unit_tests PRIVATE VELVANE_README_PATH="${CMAKE_SOURCE_DIR}/README.md")
