# Sourced by test.sh and release.sh: how the shipped 32-bit programs are configured, written once
# so that the release's autostart.exe is byte for byte the one the tests build and check.
# The compilers come from the toolchain file.
#   cmake -S "$root" -B FOLDER "${shipped_cmake_args[@]}" && cmake --build FOLDER --target $shipped_targets
shipped_cmake_args=(-DCMAKE_BUILD_TYPE=Release
                    -DCMAKE_TOOLCHAIN_FILE="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/cmake/mingw-i686.cmake")
shipped_targets="autostart screencheck velvane-check"
