# Shared steps of the demo scripts, to be sourced from the source root with $build (a build
# folder holding tessaray-cli and tessaray-demo-site) and $out (the output folder) set; $cli is
# the command-line program to use (default: the build's).

# Starts the demo site in the background, stopped again when the calling script exits, and sets
# $port (the sites) and $silent_port (the partner whose server does not answer). While the file
# $out/switch exists, partners with a NAME.switched page show that one (demo_switch_partners).
demo_start_site() {
    mkdir -p "$out"
    rm -f "$out/port.txt" "$out/switch"
    "$build/bin/tessaray-demo-site" --root res/demo/sites --port-file "$out/port.txt" \
        --switch-file "$out/switch" >/dev/null &
    demo_site_pid=$!
    trap 'kill "$demo_site_pid" 2>/dev/null || true; wait "$demo_site_pid" 2>/dev/null || true' EXIT
    for _ in $(seq 100); do
        [[ -s "$out/port.txt" ]] && break
        kill -0 "$demo_site_pid" 2>/dev/null || { echo "demo: the demo site did not start" >&2; exit 1; }
        sleep 0.1
    done
    [[ -s "$out/port.txt" ]] || { echo "demo: the demo site did not start in time" >&2; exit 1; }
    port=$(sed -n 1p "$out/port.txt")
    silent_port=$(sed -n 2p "$out/port.txt")
}

# "always" when a browser is installed (as tessaray-cli finds one), else "off": the partners
# scripted, styled and whiteout need a browser to be judged (a link made by a script, one hidden
# by a style sheet, one white on white).
demo_render_mode() {
    if [[ -n ${TESSARAY_BROWSER:-} ]]; then
        [[ -x $TESSARAY_BROWSER ]] && echo always || echo off
    elif [[ -x /usr/bin/chromium || -x /usr/bin/chromium-browser ]]; then
        echo always
    else
        echo off
    fi
}

# Makes the demo project $out/corner-tea-shop.tsrp of the Corner Tea Shop for the site's ports:
# its partner list and Google list are res/demo's with the ports filled in, the shop's own page of
# links to partners, and what it agreed with six partners (demo_agree). With a browser every page is
# rendered; without one the demo says what it skips.
demo_make_project() {
    local render
    render=$(demo_render_mode)
    if [[ $render == off ]]; then
        echo "demo: no browser (Chromium) installed, so pages are not rendered: the partners" \
             "scripted, styled and whiteout are read as raw HTML (the link a script makes shows" \
             "as missing, the two links people cannot see as counting)"
    fi
    local name
    for name in partners.txt google-links.csv; do
        sed -e "s/@PORT@/$port/g" -e "s/@SILENT_PORT@/$silent_port/g" "res/demo/$name" > "$out/$name"
    done
    rm -f "$out/corner-tea-shop.tsrp" "$out/corner-tea-shop.bak" "$out/corner-tea-shop.tsrp-history"*
    "${cli:-$build/bin/tessaray-cli}" project new "$out/corner-tea-shop.tsrp" \
        --domain "http://shop.localhost:$port" \
        --import-txt "$out/partners.txt" --google-csv "$out/google-links.csv" \
        --my-page "http://shop.localhost:$port/partners.html" --render "$render"
    demo_agree
}

# The agreements: partner one keeps to its agreement; partner two links nofollow where a followed
# link was agreed; partner six keeps to its agreement, but the shop no longer links back to it;
# partner nine links to another page than the agreed one; partner fourteen's agreement has ended;
# partner sixteen's link text is not the agreed one.
demo_agree() {
    local cli=${cli:-$build/bin/tessaray-cli} project=$out/corner-tea-shop.tsrp
    local shop=http://shop.localhost:$port
    "$cli" project agree "$project" "http://blog.partner-one.localhost:$port/links.html" \
        --target "$shop/" --anchor "Corner Tea Shop" --follow required \
        --contact anna@partner-one.example >/dev/null
    "$cli" project agree "$project" "http://www.partner-two.localhost:$port/friends.html" \
        --follow required --note "a followed link for ours" >/dev/null
    "$cli" project agree "$project" "http://wiki.partner-six.localhost:$port/resources.html" \
        --target "$shop/*" >/dev/null
    "$cli" project agree "$project" "http://moved.partner-nine.localhost:$port/links.html" \
        --target "$shop/green.html" >/dev/null
    "$cli" project agree "$project" "http://mirror.partner-fourteen.localhost:$port/links.html" \
        --until 2026-06-30 >/dev/null
    "$cli" project agree "$project" "http://cafe.partner-sixteen.localhost:$port/links.html" \
        --anchor "*green tea*" >/dev/null
}

# Changes two partner pages, as partners do between two runs: partner one drops its link to the
# shop, partner seven puts one back; partner sixteen's bot protection answers with a challenge; the
# shop's own page drops its link to partner nine.
demo_switch_partners() {
    touch "$out/switch"
}
