#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Tessaray needs. Idempotent:
# packages already installed are skipped, and apt-get runs only when something is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    libcurl4-openssl-dev libssl-dev ca-certificates
    qt6-base-dev qt6-l10n-tools qt6-tools-dev-tools qt6-translations-l10n
    libcli11-dev libcpp-httplib-dev libsqlite3-dev liburiparser-dev
    libgtest-dev libgmock-dev libbenchmark-dev libgumbo-dev libsystemd-dev nlohmann-json3-dev
    python3-aiosmtpd python3-dbus python3-gi dbus-daemon
    clang libclang-rt-14-dev clang-format clang-tidy
    valgrind xvfb xauth openssl curl
    fonts-dejavu-core
    file librsvg2-bin desktop-file-utils appstream lintian
    systemd  # systemd-analyze verifies the units of "tessaray-cli schedule" in the tests
    chromium # renders partner pages; the program works without it, the renderer's tests need it
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if [[ ${#missing[@]} -eq 0 ]]; then
    echo "install-deps: all packages present"
    exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "install-deps: run as root to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
echo "install-deps: installing ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
