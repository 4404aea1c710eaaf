#!/usr/bin/env bash
# Serves the built web edition (build/web/site) with Python's own web server, compressed and with
# cache headers: on http://127.0.0.1:8080/ for this computer, or with --lan over https on this
# computer's address in the local network, for a phone on the same network.
#   bash scripts/serve_web.sh [--lan] [--site FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
site="build/web/site"
lan=0
while [ $# -gt 0 ]; do
    case "$1" in
        --lan) lan=1 ;;
        --site) site="$2"; shift ;;
        *) echo "serve-web: unknown option $1 (use --lan, --site FOLDER)" >&2; exit 2 ;;
    esac
    shift
done
[ -f "$site/index.html" ] || { echo "serve-web: no site in $site: run scripts/build_web.sh" >&2; exit 1; }

if [ "$lan" -eq 0 ]; then
    exec python3 scripts/serve_site.py --site "$site" --bind 127.0.0.1 --port 8080
fi

# shellcheck source=install_missing.sh
source scripts/install_missing.sh
mapfile -t missing < <(missing_packages openssl qrencode iproute2)
[ ${#missing[@]} -eq 0 ] || install_packages serve-web "${missing[@]}"

# The first address of this computer that other machines can reach.
address=$(ip -4 -o addr show scope global | awk '{ split($4, a, "/"); print a[1]; exit }')
[ -n "$address" ] || { echo "serve-web: this computer has no network address" >&2; exit 1; }

# A phone gets the microphone only from a secure page, so the site goes out over https with a
# certificate made here, once per address, and kept with the user's other cached files.
tls="${XDG_CACHE_HOME:-$HOME/.cache}/strumwise/lan-tls"
cert="$tls/$address.crt"
key="$tls/$address.key"
if [ ! -s "$cert" ] || [ ! -s "$key" ]; then
    mkdir -p "$tls"
    chmod 700 "$tls"
    openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 825 -keyout "$key" -out "$cert" \
        -subj "/CN=Strumwise on $address" -addext "subjectAltName=IP:$address" 2>/dev/null
fi

port=8443
url="https://$address:$port/"
echo "Open $url on a phone in the same network, or scan this code:"
qrencode -t ANSIUTF8 -m 2 "$url"
echo "The phone asks once to accept this computer's own certificate: choose Advanced (or Show"
echo "details), then go on to the site."
exec python3 scripts/serve_site.py --site "$site" --bind "$address" --port "$port" \
    --cert "$cert" --key "$key"
