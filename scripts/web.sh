#!/usr/bin/env bash
# Installs what is missing, builds the web edition into build/web/site and serves it on
# http://127.0.0.1:8080/ (any static web server can host the site).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build_web.sh release
echo "Serving the web edition on http://127.0.0.1:8080/ (Ctrl+C stops)"
exec python3 -m http.server 8080 --bind 127.0.0.1 --directory build/web/site
