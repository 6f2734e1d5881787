#!/usr/bin/env bash
# The main job on a fresh machine: installs what is needed, builds, and scans the bundled sample
# partner page for links to the demo shop.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target tessaray-cli

build/bin/tessaray-cli scan res/demo/partner-page.html \
    --base http://blog.partner-one.example --domain http://shop.example
