#!/usr/bin/env bash
# Makes the release a disc author downloads, from the checked-out commit:
#   dist/velvane-VERSION-win32.zip  the shipped 32-bit programs, the example disc (plain and
#                                    skinned), the author's guide, the changes and the licences
#   dist/SHA256SUMS                 its checksum
# The programs are built in Release mode in a clean build/release, configured as scripts/test.sh
# configures build/win32 (scripts/shipped-build.sh), and the exe checks run on them.
# The same commit gives the same bytes in any folder at any time: the builds name no folder and
# carry no time stamp (cmake/reproducible.cmake), and the archive's entries come in a fixed
# order with the commit's time (SOURCE_DATE_EPOCH).
#
#   scripts/release.sh           the release of the checked-out commit
#   scripts/release.sh --check   the same, then the commit built again from a copy in a temporary
#                                folder, and both compared byte for byte
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
check=0
case "${1:-}" in
    --check) check=1 ;;
    "") ;;
    *) echo "usage: scripts/release.sh [--check]" >&2; exit 2 ;;
esac

"$root/scripts/install-deps.sh" release
source "$root/scripts/shipped-build.sh"
source "$root/scripts/example-disc.sh"

# A release is of one commit: its time dates the archive's entries and the changes. A copy made
# with git archive has no history and is given the time (the check below does so).
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    if ! git -C "$root" rev-parse --git-dir >/dev/null 2>&1; then
        echo "$root is no git checkout, and SOURCE_DATE_EPOCH does not give the release's time." >&2
        exit 1
    fi
    if [ -n "$(git -C "$root" status --porcelain)" ]; then
        echo "The working tree has changes that are not committed; a release is made of one commit." >&2
        git -C "$root" status --short >&2
        exit 1
    fi
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
fi
export SOURCE_DATE_EPOCH
export TZ=UTC LC_ALL=C   # zip writes local times; sort orders bytes

# ---- The programs, from a clean folder --------------------------------------------------------
build="$root/build/release"
rm -rf "$build"
started=$SECONDS
cmake -S "$root" -B "$build" "${shipped_cmake_args[@]}" -DVELVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target $shipped_targets >"$build.log" 2>&1 || {
    tail -n 30 "$build.log" >&2
    echo "The build failed; its whole output is in $build.log." >&2
    exit 1
}
# The checks the test suite makes on the exe's file (its imports), on this very exe.
(cd "$build" && ctest -R '^exe\.' --output-on-failure >"$build-checks.log" 2>&1) || {
    cat "$build-checks.log" >&2
    echo "The shipped exe fails its checks." >&2
    exit 1
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
compiler=$(sed -n 's/^set(CMAKE_CXX_COMPILER "\(.*\)")$/\1/p' "$build"/CMakeFiles/*/CMakeCXXCompiler.cmake)
thread_model=$("$compiler" -v 2>&1 | sed -n 's/^Thread model: //p')
name="velvane-$version"

# ---- The archive's folder ---------------------------------------------------------------------
stage="$build/stage"
folder="$stage/$name"
mkdir -p "$folder"
cp "$build/bin/autostart.exe" "$build/bin/velvane-check.exe" "$folder/"
lay_out_example_disc "$folder/example-disc" plain "$build"
lay_out_example_disc "$folder/example-disc-skinned" skinned "$build"

to_crlf() { sed 's/\r$//; s/$/\r/'; }
"$root/scripts/author-guide.sh" "$root/README.md" "$version" >"$folder/Guide.txt"

# The change list: its entries, the newest heading ("## Unreleased") becoming the version and
# the commit's date.
release_date=$(date -u -d "@$SOURCE_DATE_EPOCH" +%Y-%m-%d)
if ! grep -q '^## ' "$root/CHANGELOG.md"; then
    echo "CHANGELOG.md has no entry (a \"## \" heading) for this release." >&2
    exit 1
fi
awk -v newest="Velvane $version, $release_date" '
    function heading(text,   rule) { rule = text; gsub(/./, "-", rule); print text; print rule }
    BEGIN { print "Velvane: changes"; print "================"; print "" }
    /^## / { heading(done ? substr($0, 4) : newest); done = 1; next }
    done { gsub(/`/, ""); print }' "$root/CHANGELOG.md" |
    to_crlf >"$folder/Changes.txt"

# The notices of the libraries linked into the programs, as the system's packages give them.
runtime_copyright=/usr/share/doc/mingw-w64-i686-dev/copyright
compiler_copyright=/usr/share/doc/gcc-mingw-w64-base/copyright
threads=""
[ "$thread_model" = posix ] && threads="
- winpthreads, the POSIX threads the compiler's thread model needs,"
{
    cat <<NOTICE
Velvane $version: licence notices

autostart.exe, velvane-check.exe and checks\\screencheck.dll are linked statically with parts
of the runtime libraries of their compiler, MinGW-w64 GCC (thread model: $thread_model):

- the MinGW-w64 runtime (start-up and support code of the C runtime),$threads
  under the licences in part 1;
- the GCC runtime libraries libgcc and libstdc++, under the GNU General Public License version
  3 with the GCC Runtime Library Exception, in part 2. The exception lets programs linked with
  them be shipped under terms of their own.

Both parts are the copyright files of the Debian packages the programs were built with.

================================================================================
Part 1: the MinGW-w64 runtime and its libraries (Debian package mingw-w64-i686-dev)
================================================================================

NOTICE
    cat "$runtime_copyright"
    cat <<NOTICE

================================================================================
Part 2: GCC and its runtime libraries libgcc and libstdc++ (Debian package gcc-mingw-w64-base)
================================================================================

NOTICE
    cat "$compiler_copyright"
} | to_crlf >"$folder/Licences.txt"

# ---- The archive: entries in byte order, all with the commit's time and the same modes -------
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
dist="$root/dist"
archive="$name-win32.zip"
mkdir -p "$dist"
rm -f "$dist/$archive" "$dist/SHA256SUMS"
# -X: no extra fields (owner ids, precise times); -D: no folder entries.
(cd "$stage" && find "$name" -type f | sort | zip -q -X -D "$dist/$archive" -@)
(cd "$dist" && sha256sum "$archive" >SHA256SUMS)
echo "Built $dist/$archive in $((SECONDS - started)) s:"
cat "$dist/SHA256SUMS"

[ "$check" = 1 ] || exit 0

# ---- The check: the commit built again elsewhere, later, and compared -------------------------
other=$(mktemp -d /tmp/velvane-release-check.XXXXXX)
trap 'rm -rf "$other"' EXIT
sleep 2  # a later time: any time stamp that slipped in would now differ
git -C "$root" archive --format=tar HEAD | tar -x -C "$other"
echo "Building the same commit again in $other ..."
"$other/scripts/release.sh" >"$other.log" 2>&1 || { cat "$other.log" >&2; exit 1; }
rm -f "$other.log"
differ=0
for file in autostart.exe velvane-check.exe screencheck.dll; do
    cmp -s "$build/bin/$file" "$other/build/release/bin/$file" || { echo "$file differs"; differ=1; }
done
cmp -s "$dist/$archive" "$other/dist/$archive" || { echo "$archive differs"; differ=1; }
echo "SHA256SUMS of the second build:"
cat "$other/dist/SHA256SUMS"
if [ "$differ" = 1 ]; then
    echo "The two builds of the same commit differ: the release is not reproducible." >&2
    exit 1
fi
echo "Reproducible: both builds of the commit are byte-identical (programs and archive)," \
     "$((SECONDS - started)) s in all."
