#!/usr/bin/env bash
# Builds the Debian package in a finished build folder (default build/, built with the GUI and
# the tests, so the demo site is there) and checks it: the desktop entry, the software-centre
# metainfo, lintian, and the package unpacked into a scratch root, whose programs tell their
# version and whose command-line program runs the demo analysis with the installed runtime files.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")

echo "== Debian package"
# The package's program has no automatic update check: its updates come from the package manager.
# The build folder gets its own setting back once the package is made, failed or not.
update_check=$(sed -n 's/^TESSARAY_UPDATE_CHECK:BOOL=//p' "$build/CMakeCache.txt")
cmake -DTESSARAY_UPDATE_CHECK=OFF "$build" >/dev/null
rm -f "$build"/tessaray_*.deb
packaged=0
# current, and with the current package settings
cmake --build "$build" >/dev/null && (cd "$build" && cpack -G DEB) >"$build/cpack.log" 2>&1 ||
    packaged=$?
cmake -DTESSARAY_UPDATE_CHECK="${update_check:-ON}" "$build" >/dev/null
[[ $packaged == 0 ]] || { cat "$build/cpack.log" >&2; exit 1; }
deb=$(echo "$build"/tessaray_*.deb)
version=$(dpkg-deb -f "$deb" Version)
echo "$(basename "$deb"): $(du -k "$deb" | cut -f1) KiB"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"

scratch=$build/package-check
root=$scratch/root
rm -rf "$scratch"
mkdir -p "$root"
dpkg-deb -x "$deb" "$root"

desktop-file-validate "$root/usr/share/applications/tessaray.desktop"
appstreamcli validate --no-net --pedantic "$root"/usr/share/metainfo/*.metainfo.xml
grep -q "<release version=\"$version\"" "$root"/usr/share/metainfo/*.metainfo.xml
lintian --fail-on error "$deb"

check_version() {
    local line
    line=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/$1" --version)
    [[ $line == "$1 $version" ]] || { echo "package: $1 --version says '$line'" >&2; exit 1; }
}
check_version tessaray-cli
check_version tessaray

echo "== demo analysis with the installed command-line program"
out=$scratch/demo
cli=$root/usr/bin/tessaray-cli
source res/demo/demo-setup.sh
demo_start_site
demo_make_project >/dev/null
# No --template: the HTML report needs the report.html of the package.
# The demo has unreachable partners, so analyze ends with 5.
status=0
"$cli" analyze "$out/corner-tea-shop.tsrp" --quiet --csv "$out/report.csv" --html "$out/report.html" \
    || status=$?
[[ $status == 5 ]] || { echo "package: analyze ended with $status, not 5" >&2; exit 1; }
partners=$(grep -c '^[A-Za-z]' "$out/partners.txt") # other lines are comments
rows=$(($(wc -l <"$out/report.csv") - 1))
[[ $rows -ge $partners ]] || { echo "package: $rows report rows for $partners partners" >&2; exit 1; }
grep -q "shop.localhost:$port" "$out/report.html"
echo "package: demo analysis of $partners partners gave $rows rows"
