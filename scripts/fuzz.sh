#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS seconds each: scripts/fuzz.sh SECONDS [BUILD_DIR].
# Builds the targets first (clang, sanitizers) when BUILD_DIR has none.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${2:-build-fuzz}

if [[ ! -f "$build/CMakeCache.txt" ]]; then
    CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
          -DTESSARAY_SANITIZE=ON -DTESSARAY_BUILD_FUZZ=ON -DTESSARAY_BUILD_TESTS=OFF \
          -DTESSARAY_BUILD_GUI=OFF
fi
cmake --build "$build" --target fuzz_all

shopt -s nullglob
targets=("$build"/fuzz/fuzz_*)
[[ ${#targets[@]} -gt 0 ]] || { echo "fuzz: no targets built" >&2; exit 1; }
for target in "${targets[@]}"; do
    [[ -x "$target" && -f "$target" ]] || continue
    name=$(basename "$target")
    corpus="$build/fuzz-corpus/$name"
    mkdir -p "$corpus"
    seeds=()
    [[ -d "fuzz/corpus/$name" ]] && seeds=("fuzz/corpus/$name")
    echo "fuzz: $name for ${seconds}s"
    # Crash inputs go to the build folder, not into the source tree.
    ASAN_OPTIONS=detect_leaks=1 "$target" -max_total_time="$seconds" -max_len=65536 \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 -artifact_prefix="$build/$name-" \
        "$corpus" "${seeds[@]}" 2>"$build/$name.log" \
        || { tail -n 60 "$build/$name.log" >&2; echo "fuzz: $name failed" >&2; exit 1; }
    grep -E "^#[0-9]+.*DONE" "$build/$name.log" | tail -n 1 || true
done
echo "fuzz: all targets ran clean"
