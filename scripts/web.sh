#!/usr/bin/env bash
# Installs what is missing, builds the web edition into build/web/site and serves it on
# http://127.0.0.1:8080/, or with --lan over https for a phone on the local network (any static
# web server can host the site).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build_web.sh release
exec bash scripts/serve_web.sh "$@"
