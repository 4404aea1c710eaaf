#!/usr/bin/env bash
# Installs what is missing, builds the release, and starts the tuner with any arguments given.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target strumwise
exec build/release/src/app/strumwise "$@"
