#!/usr/bin/env bash
# Installs what the instrument benchmarks need beyond scripts/setup.sh, when any is missing:
# six General MIDI sound fonts whose banjos the tuner is measured on (sampled ones, a mono
# re-encoding of one and an FM chip's), FluidSynth to play them, sox for plucks, noise and
# reverb, and two tuners to compare against: aubio's command-line tools, and Lingot run as a
# player runs it, on a virtual display listening to a private sound server. Not part of the test
# command: the sound fonts weigh some 400 MB. Idempotent: with everything present it prints
# nothing.
set -euo pipefail

packages=(fluidsynth fluid-soundfont-gm musescore-general-soundfont timgm6mb-soundfont
          fluidr3mono-gm-soundfont opl3-soundfont csound-soundfont
          sox libsox-fmt-base aubio-tools python3
          lingot xvfb pulseaudio pulseaudio-utils python3-pyatspi at-spi2-core)
# shellcheck source=install_missing.sh
source "$(dirname "$0")/install_missing.sh"
mapfile -t missing < <(missing_packages "${packages[@]}")
[ ${#missing[@]} -eq 0 ] && exit 0

install_packages setup_bench "${missing[@]}"
echo "setup_bench: done"
