#!/usr/bin/env bash
# Builds the web edition's static site into build/web/site. The pictures come from the artwork
# program, a native Qt program, built with the native preset given as the first argument
# (default release); everything else is built with emscripten under the web preset.
set -euo pipefail
cd "$(dirname "$0")/.."
native_preset="${1:-release}"

bash scripts/setup.sh
cmake --preset "$native_preset" >/dev/null
cmake --build --preset "$native_preset" -j "$(nproc)" --target strumwise_artwork
artwork="$PWD/build/web/artwork"
mkdir -p "$artwork/images" "$artwork/icon"
QT_QPA_PLATFORM=offscreen "build/$native_preset/src/platform/desktop/strumwise_artwork" \
    "$artwork/images" "$artwork/icon/strumwise.png"

cmake --preset web -DSTRUMWISE_WEB_IMAGES="$artwork" >/dev/null
cmake --build --preset web -j "$(nproc)"
