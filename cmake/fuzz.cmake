# Fuzz targets: each tests/fuzz/<name>.cpp becomes fuzz_<name>, a libFuzzer program under
# AddressSanitizer and UBSan. A separate build tree, configured with clang:
#   CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -DVELVANE_FUZZ=ON
# scripts/fuzz.sh does that, builds the targets and runs them.
option(VELVANE_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(NOT VELVANE_FUZZ)
    return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VELVANE_FUZZ needs clang (libFuzzer); set CXX=clang++-14")
endif()

set(FUZZ_SANITIZE -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                  -fno-omit-frame-pointer)
# The logic under test gets coverage instrumentation too, or the fuzzer would steer blind.
target_compile_options(velvane_logic PRIVATE -fsanitize=fuzzer-no-link)

file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
add_custom_target(fuzz_targets)
foreach(source ${FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(fuzz_${name} ${source})
    target_compile_options(fuzz_${name} PRIVATE ${VELVANE_WARNINGS} ${FUZZ_SANITIZE})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(fuzz_${name} PRIVATE velvane_logic)
    add_dependencies(fuzz_targets fuzz_${name})
endforeach()
