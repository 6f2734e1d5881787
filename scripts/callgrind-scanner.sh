#!/usr/bin/env bash
# Callgrind instructions per byte of the path "tessaray-cli scan" takes for a page (charset sniff,
# UTF-8 validation or conversion, comments, Load, page signals, walking every link to the domain)
# for each benchmark corpus page: scripts/callgrind-scanner.sh [BUILD_DIR].
# Each page is run twice under callgrind, once scanned and once only generated; the difference
# is the scanner's share. The last column is the command itself, tessaray-cli scan on the page as
# a file (reading it and printing the findings too), less a run on an empty file. Instruction
# counts repeat from run to run, unlike timings.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}

if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARAY_BUILD_BENCH=ON \
          -DTESSARAY_BUILD_TESTS=OFF -DTESSARAY_BUILD_GUI=OFF >/dev/null
fi
cmake --build "$build" --target scanner_driver tessaray-cli >/dev/null
driver="$build/bin/scanner_driver"
cli=("$build/bin/tessaray-cli" scan --base http://blog.partner-one.example --domain http://shop.example)
page_file=$(mktemp)
trap 'rm -f "$page_file"' EXIT

instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
        sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

: >"$page_file"
empty=$(instructions "${cli[@]}" "$page_file")
printf '%-17s %12s %16s %12s %12s\n' page bytes instructions instr/byte cli/byte
for page in $("$driver" --list); do
    bytes=$("$driver" "$page" --write "$page_file" | cut -d' ' -f1)
    full=$(instructions "$driver" "$page")
    base=$(instructions "$driver" "$page" --baseline)
    command=$(instructions "${cli[@]}" "$page_file")
    awk -v p="$page" -v b="$bytes" -v f="$full" -v z="$base" -v c="$command" -v e="$empty" \
        'BEGIN { printf "%-17s %12d %16d %12.2f %12.2f\n", p, b, f - z, (f - z) / b, (c - e) / b }'
done
