#!/usr/bin/env bash
# Installs the build and test packages (Debian 12, as root) when any of them is missing.
set -euo pipefail

packages_missing() {
    local tool
    for tool in cmake ninja g++ i686-w64-mingw32-g++ x86_64-w64-mingw32-g++ wine Xvfb xauth xdotool import wrestool xwininfo makensis unzip; do
        command -v "$tool" >/dev/null 2>&1 || return 0
    done
    [[ -d /usr/src/googletest ]] || return 0
    [[ -x /usr/lib/wine/wine64 ]] || return 0
    [[ -f /usr/include/benchmark/benchmark.h ]] || return 0
    command -v factor >/dev/null 2>&1 || return 0
    # The command line's numbers of any size: GMP and GMP-ECM.
    dpkg -s libgmp-dev libecm-dev >/dev/null 2>&1 || return 0
    return 1
}

if ! packages_missing; then
    exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
    echo "setup: packages are missing; run as root (see DEVELOPERS.md for the list)" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
dpkg --add-architecture i386
apt-get update -q
apt-get install -y -q --no-install-recommends \
    cmake ninja-build g++ make coreutils ca-certificates \
    googletest libbenchmark-dev \
    g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64 mingw-w64-x86-64-dev \
    wine wine32:i386 wine64 fonts-wine fonts-liberation \
    xvfb xauth x11-utils imagemagick xdotool icoutils nsis unzip \
    libgmp-dev libecm-dev
