#!/usr/bin/env bash
# The demo in the desktop program: builds Tessaray with its window and the demo site, serves the
# demo web of partner sites on loopback, makes the demo project of the Corner Tea Shop and opens
# it in the window. Choose "Start Analysis" (Ctrl+A) there; the site stops when the window closes.
#
#   scripts/demo-gui.sh                      open the demo project in the window
#   scripts/demo-gui.sh --screenshot FILE    analyse it, save a picture of the window, quit
#                                            (runs under xvfb-run when there is no display)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-demo-gui
out=$root/demo-output

screenshot=()
if [[ ${1:-} == --screenshot ]]; then
    [[ -n ${2:-} ]] || { echo "usage: $0 [--screenshot FILE]" >&2; exit 2; }
    screenshot=(--screenshot "$(realpath -m "$2")")
fi

scripts/install-deps.sh
echo "== building (desktop program, command line and demo site)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARAY_BUILD_GUI=ON \
      -DTESSARAY_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target tessaray tessaray-cli tessaray-demo-site

mkdir -p "$out"
rm -f "$out/port.txt"

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

echo "== making the demo project"
fill_ports() { sed -e "s/@PORT@/$port/g" -e "s/@SILENT_PORT@/$silent_port/g" "$1" > "$2"; }
fill_ports res/demo/partners.txt "$out/partners.txt"
fill_ports res/demo/google-links.csv "$out/google-links.csv"
rm -f "$out/corner-tea-shop.tsrp" "$out/corner-tea-shop.tsrp.bak"
"$build/bin/tessaray-cli" project new "$out/corner-tea-shop.tsrp" \
    --domain "http://shop.localhost:$port" \
    --import-txt "$out/partners.txt" --google-csv "$out/google-links.csv"

echo "== opening the demo project in Tessaray"
program=("$build/bin/tessaray" "${screenshot[@]}" "$out/corner-tea-shop.tsrp")
if [[ ${#screenshot[@]} -gt 0 && -z ${DISPLAY:-} ]]; then
    xvfb-run -a -s "-screen 0 1280x800x24" "${program[@]}"
else
    "${program[@]}"
fi
