#!/usr/bin/env bash
# The whole test run: dependencies, the format and clang-tidy checks, a warnings-as-errors build
# with every test, the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer, then
# short fuzz runs.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh

echo "== format (clang-format over every C++ file)"
git ls-files -co --exclude-standard -- '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

echo "== translations (every text of the sources translated in both .ts files)"
# The .ts files refreshed from the sources in a scratch folder, so a tr() text missing from them
# shows up as unfinished too.
ts_check=$(mktemp -d)
cp res/translations/*.ts "$ts_check/"
lupdate=$(command -v lupdate-qt6 || echo /usr/lib/qt6/bin/lupdate)
"$lupdate" -silent -locations none -no-obsolete -I src src/gui -ts "$ts_check"/*.ts
for ts in "$ts_check"/*.ts; do
    if grep -nE 'type="(unfinished|vanished|obsolete)"|<translation>\s*</translation>|<translation/>' "$ts"; then
        echo "translations: $(basename "$ts") has entries without a translation (above)" >&2
        exit 1
    fi
done
rm -rf "$ts_check"

echo "== plain build (g++, warnings as errors)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARAY_WERROR=ON \
      -DTESSARAY_BUILD_TESTS=ON -DTESSARAY_BUILD_BENCH=ON

echo "== checks over the core (clang-tidy with .clang-tidy, on the build's compile commands)"
run-clang-tidy -p build -j "$(nproc)" -quiet "$root/src/core/" >build/clang-tidy.log 2>&1 ||
    { sed 's/\x1b\[[0-9;]*m//g' build/clang-tidy.log | grep -E 'warning:|error:' | sort -u >&2
      echo "clang-tidy: findings above (whole log in build/clang-tidy.log)" >&2; exit 1; }

cmake --build build
ctest --test-dir build --output-on-failure --timeout 600 -j "$(nproc)"
scripts/check-package.sh build

echo "== sanitizer build (clang, ASan + UBSan, fuzz targets)"
CC=clang CXX=clang++ cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DTESSARAY_WERROR=ON -DTESSARAY_SANITIZE=ON -DTESSARAY_BUILD_TESTS=ON -DTESSARAY_BUILD_FUZZ=ON
cmake --build build-san
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
ctest --test-dir build-san --output-on-failure --timeout 900 -j "$(nproc)"

echo "== fuzzing"
scripts/fuzz.sh 20 build-san
