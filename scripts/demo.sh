#!/usr/bin/env bash
# The main job on a fresh machine: installs what is needed, builds the command-line program and
# the demo site, serves the demo web of partner sites on loopback, makes the demo project of the
# Corner Tea Shop, analyses it and leaves report.csv and report.html in demo-output/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-demo
out=$root/demo-output

scripts/install-deps.sh
echo "== building (command line and demo site)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSARAY_BUILD_GUI=OFF \
      -DTESSARAY_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target tessaray-cli tessaray-demo-site

mkdir -p "$out"
rm -f "$out"/port.txt "$out"/report.csv "$out"/report.html

echo "== starting the demo site"
"$build/bin/tessaray-demo-site" --root res/demo/sites --port-file "$out/port.txt" >/dev/null &
site_pid=$!
trap 'kill "$site_pid" 2>/dev/null || true; wait "$site_pid" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    [[ -s "$out/port.txt" ]] && break
    kill -0 "$site_pid" 2>/dev/null || { echo "demo: the demo site did not start" >&2; exit 1; }
    sleep 0.1
done
[[ -s "$out/port.txt" ]] || { echo "demo: the demo site did not start in time" >&2; exit 1; }
port=$(sed -n 1p "$out/port.txt")
silent_port=$(sed -n 2p "$out/port.txt")
echo "demo site: http://shop.localhost:$port/ and ten partner sites"

echo "== making the demo project"
fill_ports() { sed -e "s/@PORT@/$port/g" -e "s/@SILENT_PORT@/$silent_port/g" "$1" > "$2"; }
fill_ports res/demo/partners.txt "$out/partners.txt"
fill_ports res/demo/google-links.csv "$out/google-links.csv"
"$build/bin/tessaray-cli" project new "$out/corner-tea-shop.tsrp" \
    --domain "http://shop.localhost:$port" \
    --import-txt "$out/partners.txt" --google-csv "$out/google-links.csv"

echo "== analysing"
"$build/bin/tessaray-cli" analyze "$out/corner-tea-shop.tsrp" \
    --csv "$out/report.csv" --html "$out/report.html" --summary

echo
echo "Reports: $out/report.csv and $out/report.html"
