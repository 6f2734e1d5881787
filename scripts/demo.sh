#!/usr/bin/env bash
# The main job on a fresh machine: installs what is needed, builds the command-line program and
# the demo site, serves the demo web of partner sites on loopback, makes the demo project of the
# Corner Tea Shop, analyses it and leaves report.csv and report.html in demo-output/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build-demo
out=$PWD/demo-output
source res/demo/demo-setup.sh

scripts/install-deps.sh
echo "== building (command line and demo site)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSARAY_BUILD_GUI=OFF \
      -DTESSARAY_BUILD_TESTS=OFF -DTESSARAY_BUILD_DEMO=ON >/dev/null
cmake --build "$build" --target tessaray-cli tessaray-demo-site

echo "== starting the demo site"
demo_start_site
echo "demo site: http://shop.localhost:$port/ and ten partner sites"

echo "== making the demo project"
demo_make_project

echo "== analysing"
rm -f "$out/report.csv" "$out/report.html"
"$build/bin/tessaray-cli" analyze "$out/corner-tea-shop.tsrp" \
    --csv "$out/report.csv" --html "$out/report.html" --summary

echo
echo "Reports: $out/report.csv and $out/report.html"
