#!/usr/bin/env bash
# Installs what the instrument benchmarks need beyond scripts/setup.sh, when any is missing:
# the two larger General MIDI sound fonts, FluidSynth to play them, sox for plucks, noise and
# reverb, and aubio's command-line tools to compare against. Not part of the test command: the
# sound fonts weigh some 230 MB. Idempotent: with everything present it prints nothing.
set -euo pipefail

packages=(fluidsynth fluid-soundfont-gm musescore-general-soundfont timgm6mb-soundfont
          sox libsox-fmt-base aubio-tools python3)
# shellcheck source=install_missing.sh
source "$(dirname "$0")/install_missing.sh"
mapfile -t missing < <(missing_packages "${packages[@]}")
[ ${#missing[@]} -eq 0 ] && exit 0

install_packages setup_bench "${missing[@]}"
echo "setup_bench: done"
