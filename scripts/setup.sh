#!/usr/bin/env bash
# Installs the Debian packages Strumwise needs to build, run and test, when any is missing.
# Idempotent: with everything present it prints nothing and changes nothing.
set -euo pipefail

packages=(
    # Toolchain.
    g++ cmake ninja-build pkg-config clang-format
    # Libraries of the product.
    libkissfft-dev portaudio19-dev libsndfile1-dev libsoxr-dev
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libqt6svg6 qt6-svg-dev
    libgl-dev
    # Qt's platform plugins (the window, and "offscreen" for the tests) and ALSA's PulseAudio
    # plugin, through which PortAudio reaches the sound server; both are only recommended by
    # the libraries that use them, so they are named here.
    qt6-qpa-plugins libasound2-plugins
    # xdg-open, through which Qt opens the maker's site and the store where a desktop session
    # exists.
    xdg-utils
    # Tests and benchmarks.
    libgtest-dev libgmock-dev libbenchmark-dev
    # Using it as a person would, in tests and by hand: sound files, a sound server with a null
    # sink for PortAudio, a virtual X display and fonts for the window.
    sox libsox-fmt-base pulseaudio pulseaudio-utils xvfb xauth fonts-dejavu-core
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$package")
done
# The web edition's toolchain, browser and the sources it compiles for WebAssembly.
bash "$(dirname "$0")/setup_web.sh"
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "setup: run as root or install sudo" >&2; exit 1; }
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# With their recommendations: the desktop pieces above expect them.
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
echo "setup: done"
