#!/usr/bin/env bash
# The fetch engine's figures: every scenario of many_sites_bench the fetch engine is held to, run
# one after the other at low priority, then one table with a check per scenario.
#
#   bench/fetch-figures.sh BUILD_DIR [--sweep]
#
# BUILD_DIR is a build configured with -DTESSARAY_BUILD_BENCH=ON (many_sites_bench and
# tessaray-cli built). With Chromium it also times --render always against off. --sweep adds the runs that choose the default window: 1,000 partners on 50
# sites at 100 ms with --parallel 8, 16, 32 and 64, and 10,000 partners without latency at 8, 32
# and 64. Each program's full output is kept in a folder named at the end. The silent scenario
# takes longest: its pages wait out the fetch's 30 s low-speed time-out, which the command line
# has no option to shorten.
set -euo pipefail

if [[ $# -lt 1 || ! -x "$1/bin/many_sites_bench" ]]; then
    echo "usage: $0 BUILD_DIR [--sweep]   (BUILD_DIR/bin/many_sites_bench must exist)" >&2
    exit 2
fi
bench="$1/bin/many_sites_bench"
sweep="${2:-}"
logs=$(mktemp -d "${TMPDIR:-/tmp}/fetch-figures-XXXXXX")
declare -A fig
names=()

echo "load before: $(uptime)"
# run NAME ARGS...: runs the benchmark, keeps its output and its figures under NAME.
run() {
    local name=$1
    shift
    echo "== $name: many_sites_bench $*"
    nice "$bench" "$@" >"$logs/$name.txt" 2>&1 || true
    sed 's/^/   /' "$logs/$name.txt"
    local line
    line=$(grep '^figures:' "$logs/$name.txt" || true)
    for pair in ${line#figures:}; do
        fig[$name.${pair%%=*}]=${pair#*=}
    done
    names+=("$name")
}
# get NAME KEY: a figure, or - when the run did not give it.
get() { echo "${fig[$1.$2]:--}"; }
# at_most A B: "ok" when A <= B, "FAIL" when not, "?" when a figure is missing.
at_most() {
    if [[ $1 == - || $2 == - ]]; then
        echo "?"
    elif awk -v a="$1" -v b="$2" 'BEGIN { exit !(a <= b) }'; then
        echo ok
    else
        echo FAIL
    fi
}
# scaled VALUE FACTOR: VALUE times FACTOR, or - when VALUE is missing.
scaled() {
    if [[ $1 == - ]]; then echo -; else awk -v v="$1" -v f="$2" 'BEGIN { print v * f }'; fi
}
# finished NAME: true when the command line finished its run (exit 0, 4 or 5).
finished() {
    case $(get "$1" tessaray_exit) in 0 | 4 | 5) return 0 ;; *) return 1 ;; esac
}

run latency-defaults --partners 1000 --sites 50 --latency-ms 100
run latency-64x2 --partners 1000 --sites 50 --latency-ms 100 --cli-args "--parallel 64 --per-site 2"
run many-defaults --partners 10000 --sites 50 --latency-ms 0
run many-8 --partners 10000 --sites 50 --latency-ms 0 --cli-args "--parallel 8"
run silent-7 --partners 1000 --sites 50 --latency-ms 100 --silent 7
run links-700k --partners 8 --sites 8 --latency-ms 0 --links-per-page 700000 --rss-cap-mb 2048
run endless-64 --partners 64 --sites 64 --latency-ms 0 --endless --rss-cap-mb 2048 \
    --cli-args "--parallel 64"
run varied --partners 60 --sites 10 --latency-ms 50 --no-curl --compare 60
# Rendering in headless Chromium (skipped without one): every page rendered against none; the
# RSS is the largest process of the run's tree (the browser's own, once it runs).
if [[ -x /usr/bin/chromium || -x /usr/bin/chromium-browser || -n ${TESSARAY_BROWSER:-} ]]; then
    run render-off --partners 100 --sites 10 --latency-ms 0 --no-curl --cli-args "--render off"
    run render-always --partners 100 --sites 10 --latency-ms 0 --no-curl \
        --cli-args "--render always"
fi
if [[ $sweep == --sweep ]]; then
    for n in 8 16 32 64; do
        run "latency-$n" --partners 1000 --sites 50 --latency-ms 100 --cli-args "--parallel $n"
    done
    for n in 8 32 64; do
        run "many-sweep-$n" --partners 10000 --sites 50 --latency-ms 0 --cli-args "--parallel $n"
    done
fi
echo "load after: $(uptime)"

# The check of each scenario against its bound.
declare -A check
check[render-always]="time $(get render-always tessaray_s) s against $(get render-off tessaray_s) s unrendered"
limit=$(scaled "$(get latency-defaults curl_s)" 1.2)
check[latency-defaults]="time $(at_most "$(get latency-defaults tessaray_s)" "$limit") (<= 1.2x curl)"
# Two runs of the same window differ by some 10 % on a shared machine.
at8_limit=$(scaled "$(get many-8 tessaray_cpu_ms)" 1.1)
cpu_limit=$(scaled "$(get many-defaults curl_cpu_ms)" 1.5)
check[many-defaults]="CPU $(at_most "$(get many-defaults tessaray_cpu_ms)" "$at8_limit") (<= 1.1x at 8), $(at_most "$(get many-defaults tessaray_cpu_ms)" "$cpu_limit") (<= 1.5x curl), RSS $(at_most "$(get many-defaults tessaray_rss_mb)" 300)"
check[silent-7]="time $(at_most "$(get silent-7 tessaray_s)" "$(get silent-7 bound_s)") (<= $(get silent-7 bound_s) s)"
for name in links-700k endless-64; do
    check[$name]="RSS $(at_most "$(get $name tessaray_rss_mb)" 300) (<= 300 MB)"
done
check[varied]="reports $(get varied compare) (--parallel 1 / defaults / 64x8: $(get varied varied_s) s)"
for name in "${names[@]}"; do
    if ! finished "$name"; then
        check[$name]="${check[$name]:-} run FAILED (exit $(get "$name" tessaray_exit); -9: memory cap)"
    fi
done

echo
table_row() {
    printf '| %-16s | %10s | %7s | %7s | %9s | %9s | %7s | %9s | %8s | %s |\n' "$@"
}
table_row scenario "tessaray s" "curl s" ratio "CPU ms/p" "curl ms/p" "cs/p" "curl cs/p" \
    "RSS MB" check
table_row ---------------- ---------- ------- ------- --------- --------- ------- --------- \
    -------- -----
for name in "${names[@]}"; do
    table_row "$name" "$(get "$name" tessaray_s)" "$(get "$name" curl_s)" \
        "$(get "$name" time_ratio)" "$(get "$name" tessaray_cpu_ms)" "$(get "$name" curl_cpu_ms)" \
        "$(get "$name" tessaray_cs)" "$(get "$name" curl_cs)" "$(get "$name" tessaray_rss_mb)" \
        "${check[$name]:-}"
done
echo
echo "silent-7 without the silent pages: $(get silent-7 without_s) s; outputs in $logs"
