#!/usr/bin/env bash
# Builds the fuzz targets (tests/fuzz/, clang + libFuzzer + AddressSanitizer + UBSan) in
# build/fuzz and runs each for a while, starting from its seed corpus.
#   scripts/fuzz.sh [SECONDS] [TARGET...]     (default: 20 seconds, every target)
# Prints one line per target and exits non-zero when any target found something; the input that
# did it is kept under build/fuzz/findings/. Inputs that reached new code are kept under
# build/fuzz/corpus/, so that later runs go on from there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
shift || true
build="$root/build/fuzz"

# Install what is missing (Debian 12): clang-14 and its libFuzzer, and what configuring needs.
packages=(clang-14 libclang-rt-14-dev cmake make googletest libgtest-dev)
missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -DVELVANE_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(( $(nproc) < 2 ? $(nproc) : 2 ))" --target fuzz_targets >/dev/null

if [ $# -eq 0 ]; then
    set -- $(cd "$root/tests/fuzz" && ls *.cpp | sed 's/\.cpp$//')
fi

mkdir -p "$build/findings" "$build/logs"

# Runs one target; its line goes to logs/TARGET.line, its exit status is the run's.
run_target() {
    local target=$1 program="$build/fuzz_$1" corpus="$build/corpus/$1"
    local seeds="$root/tests/fuzz/corpus/$1" log="$build/logs/$1.log" line="$build/logs/$1.line"
    if [ ! -x "$program" ]; then
        echo "fuzz $target: no such target" >"$line"
        return 1
    fi
    mkdir -p "$corpus"
    # -timeout: one input taking seconds is a hang; -rss_limit_mb: the bitmap and region
    # targets must never allocate what a header merely claims.
    if "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
        "$corpus" "$seeds" >"$log" 2>&1; then
        local runs cov ft
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
        cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
        ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
        echo "fuzz $target: ok, ${runs:-?} runs in ${seconds}s, coverage ${cov:-?} edges, ${ft:-?} features" >"$line"
    else
        local finding
        finding=$(ls -t "$build/findings/$target-"* 2>/dev/null | head -1)
        echo "fuzz $target: FINDING ${finding:-(see $log)}; log $log" >"$line"
        return 1
    fi
}

# As many targets at a time as there are cores; the lines come out in the targets' order.
parallel=$(nproc)
targets=("$@")
pids=()
for target in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do
        wait -n || true
    done
    run_target "$target" &
    pids+=($!)
done
status=0
for i in "${!pids[@]}"; do
    wait "${pids[$i]}" || status=1
    cat "$build/logs/${targets[$i]}.line"
done
exit $status
