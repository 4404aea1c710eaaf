#!/usr/bin/env bash
# Builds the web edition's static site into build/web/site. The pictures come from the artwork
# program, a native Qt program, built alone (so the desktop's libraries are not needed) with the
# native preset given as the first argument (default release), in build/artwork-PRESET;
# everything else is built with emscripten under the web preset.
set -euo pipefail
cd "$(dirname "$0")/.."
native_preset="${1:-release}"

bash scripts/setup_web.sh
native="build/artwork-$native_preset"
cmake --preset "$native_preset" -B "$native" -DSTRUMWISE_ARTWORK_ONLY=ON >/dev/null
cmake --build "$native" -j "$(nproc)" --target strumwise_artwork
artwork="$PWD/build/web/artwork"
mkdir -p "$artwork/images" "$artwork/icon"
QT_QPA_PLATFORM=offscreen "$native/resources/artwork/strumwise_artwork" \
    "$artwork/images" "$artwork/icon/strumwise.png"

cmake --preset web -DSTRUMWISE_WEB_IMAGES="$artwork" >/dev/null
cmake --build --preset web -j "$(nproc)"
