#!/usr/bin/env bash
# Runs one Windows program under Wine in the test session's prefix (CTest's emulator).
# Usage: wine-run.sh STATE_DIR PROGRAM.exe [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
state=$1
shift
"$here/prefix.sh" "$state"
source "$here/wine-env.sh" "$state"

# The wineserver and Wine's system services would otherwise inherit CTest's output pipe and
# keep it open, so CTest would wait seconds for every test (or hang with a persistent server).
# Starting them from a throw-away process with no inherited pipes avoids that.
timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1 || true

# Wine takes the user's language from the Unix locale of the process tree, not from a Windows
# environment block, so a test that needs another language sets VELVANE_LC_ALL for its run.
run() {
    timeout --kill-after=10 "${VELVANE_WINE_TIMEOUT:-300}" \
        env LC_ALL="${VELVANE_LC_ALL:-en_US.UTF-8}" wine "$@"
}

# Very rarely, with tests starting side by side, Wine fails to start a program at all: it exits
# at once, having printed nothing (its own messages are off). Every test program prints before it
# does anything, so a failure without a single byte of output is such a start, and it is tried
# once more. A program that ran and failed is never run again.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
status=0
run "$@" 2>&1 | tee "$output" || status=${PIPESTATUS[0]}
if [ "$status" -ne 0 ] && [ ! -s "$output" ]; then
    echo "wine-run.sh: Wine started nothing (exit $status); trying once more" >&2
    status=0
    run "$@" || status=$?
fi
exit "$status"
