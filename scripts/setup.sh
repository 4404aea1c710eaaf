#!/usr/bin/env bash
# Installs the Debian packages the desktop edition needs to build, run and test, when any is
# missing (the web edition's are setup_web.sh's, the packaging tools package.sh's).
# Idempotent: with everything present it prints nothing and changes nothing.
set -euo pipefail

packages=(
    # Toolchain.
    g++ cmake ninja-build pkg-config clang-format ccache
    # Libraries of the product.
    libkissfft-dev portaudio19-dev libpulse-dev libsndfile1-dev libsoxr-dev
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
    # A sampled banjo for the pitch tests: FluidSynth and the smallest General MIDI sound font.
    fluidsynth timgm6mb-soundfont
    # Using it as a person would, in tests and by hand: sound files, a sound server with a null
    # sink for PortAudio, a virtual X display and fonts for the window.
    sox libsox-fmt-base pulseaudio pulseaudio-utils xvfb xauth fonts-dejavu-core
    # Debian 12's own desktop sound server, PipeWire with its session manager and its PulseAudio
    # service, which the sound-server tests start privately beside PulseAudio; installed, none
    # of them starts until a user session or a test asks.
    pipewire wireplumber pipewire-pulse
)

# shellcheck source=install_missing.sh
source "$(dirname "$0")/install_missing.sh"
mapfile -t missing < <(missing_packages "${packages[@]}")
[ ${#missing[@]} -eq 0 ] && exit 0

install_packages setup "${missing[@]}"
echo "setup: done"
