#!/usr/bin/env bash
# The demo in the desktop program: builds Tessaray with its window and the demo site, serves the
# demo web of partner sites on loopback, makes the demo project of the Corner Tea Shop and opens
# it in the window. Choose "Start Analysis" (Ctrl+A) there; the site stops when the window closes.
#
#   scripts/demo-gui.sh                      open the demo project in the window
#   scripts/demo-gui.sh --screenshot FILE    analyse it, save a picture of the window, quit
#                                            (runs under xvfb-run when there is no display)
#   scripts/demo-gui.sh --verdict-screenshot FILE   the same, scrolled to the verdict column
#   scripts/demo-gui.sh --print-preview-screenshot FILE   the same, of the print preview
#   scripts/demo-gui.sh --change-screenshots DIR    analyse, switch two partners, analyse in the
#                                            window: DIR/change-column.png, then DIR/history.png
#                                            (the History dialog comparing the two runs)
#   scripts/demo-gui.sh --docs               all pictures of docs/: the window after the demo in
#                                            English and German (screenshot.png,
#                                            screenshot-de.png), the Change column after a second
#                                            run, the History dialog at scale factor 2 on a
#                                            1920x1080 screen (history-scale2.png) and the first
#                                            printed page (printed-page.png, needs pdftoppm)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-demo-gui
out=$root/demo-output

screenshot=()
changes=""
docs=""
if [[ ${1:-} == --screenshot || ${1:-} == --verdict-screenshot ||
      ${1:-} == --print-preview-screenshot ]]; then
    [[ -n ${2:-} ]] ||
        { echo "usage: $0 [--screenshot|--verdict-screenshot|--print-preview-screenshot FILE]" >&2; exit 2; }
    screenshot=("$1" "$(realpath -m "$2")")
elif [[ ${1:-} == --docs ]]; then
    command -v pdftoppm >/dev/null ||
        { echo "$0: --docs needs pdftoppm (Debian package poppler-utils)" >&2; exit 2; }
    docs=$root/docs
elif [[ ${1:-} == --change-screenshots ]]; then
    [[ -n ${2:-} ]] || { echo "usage: $0 --change-screenshots DIR" >&2; exit 2; }
    changes=$(realpath -m "$2")
fi

scripts/install-deps.sh
echo "== building (desktop program, command line and demo site)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARAY_BUILD_GUI=ON \
      -DTESSARAY_BUILD_TESTS=OFF -DTESSARAY_BUILD_DEMO=ON >/dev/null
cmake --build "$build" --target tessaray tessaray-cli tessaray-demo-site

source res/demo/demo-setup.sh
echo "== starting the demo site"
demo_start_site
echo "== making the demo project"
demo_make_project

# The program, under xvfb-run when a picture is wanted and there is no display (a screen of
# $screen pixels).
screen=${screen:-1280x800}
run_tessaray() {
    if [[ $1 == --*screenshot && -z ${DISPLAY:-} ]]; then
        xvfb-run -a -s "-screen 0 ${screen}x24" "$build/bin/tessaray" "$@"
    else
        "$build/bin/tessaray" "$@"
    fi
}

if [[ -n $docs ]]; then
    project=$out/corner-tea-shop.tsrp
    rm -f "$project-history"
    echo "== the window after the demo, in English and in German"
    LANG=en_US.UTF-8 LANGUAGE=en run_tessaray --screenshot "$docs/screenshot.png" "$project"
    LANG=de_DE.UTF-8 LANGUAGE=de run_tessaray --screenshot "$docs/screenshot-de.png" "$project"
    echo "== two partners change their pages: the Change column after the next run"
    demo_switch_partners
    LANG=en_US.UTF-8 LANGUAGE=en run_tessaray --verdict-screenshot "$docs/change-column.png" "$project"
    echo "== the History dialog at scale factor 2 on a 1920x1080 screen"
    LANG=en_US.UTF-8 LANGUAGE=en QT_SCALE_FACTOR=2 screen=1920x1080 \
        run_tessaray --history-screenshot "$docs/history-scale2.png" "$project"
    echo "== the first printed page"
    pdf=$out/printed.pdf
    LANG=en_US.UTF-8 LANGUAGE=en run_tessaray --print-preview-screenshot "$pdf" "$project"
    pdftoppm -png -r 100 -f 1 -l 1 -singlefile "$pdf" "$docs/printed-page"
    exit 0
fi

if [[ -n $changes ]]; then
    echo "== analysing, then two partners change their pages and the window analyses again"
    "$build/bin/tessaray-cli" analyze "$out/corner-tea-shop.tsrp" --quiet >/dev/null || true
    demo_switch_partners
    mkdir -p "$changes"
    run_tessaray --verdict-screenshot "$changes/change-column.png" "$out/corner-tea-shop.tsrp"
    run_tessaray --history-screenshot "$changes/history.png" "$out/corner-tea-shop.tsrp"
    exit 0
fi

echo "== opening the demo project in Tessaray"
run_tessaray "${screenshot[@]}" "$out/corner-tea-shop.tsrp"
