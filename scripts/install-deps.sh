#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Quiet, and without touching the network, when they are all there already.
set -euo pipefail

packages=(
    cmake ninja-build pkg-config g++
    qt6-base-dev libqt6opengl6-dev libqcustomplot-dev libqcustomplot2.1-qt6
    libhidapi-dev libhidapi-hidraw0 libhpdf-dev libcurl4-openssl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth x11-utils imagemagick poppler-utils
    fonts-liberation2 fonts-dejavu-core
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [[ "$status" != "install ok installed" ]]; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Run this as root (or with sudo) to install them." >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
