#!/usr/bin/env bash
# Serves the built web edition (build/web/site) with Python's own web server, compressed and with
# cache headers: on http://127.0.0.1:8080/ for this computer, or with --lan over https on this
# computer's address in the local network, for a phone on the same network, with a page over
# plain http that offers this computer's certificate authority for the phone to install.
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

# A phone gets the microphone only from a secure page, and installs the tuner, runs it offline
# and is offered new releases only where it trusts the page's certificate. So this computer
# becomes a small certificate authority of its own, made once and kept with the user's data,
# which the phone installs once from the page served below; each address this computer has gets
# a certificate signed by it, and a phone that trusts the authority trusts them all. The
# authority vouches only for local networks' addresses, so its key could not stand in for any
# other site. Keys are readable by the user alone.
tls="${XDG_DATA_HOME:-$HOME/.local/share}/strumwise/lan-tls"
ca_cert="$tls/ca.crt"
ca_key="$tls/ca.key"
cert="$tls/$address.crt"
key="$tls/$address.key"
mkdir -p "$tls"
chmod 700 "$tls"
umask 077
if [ ! -s "$ca_cert" ] || [ ! -s "$ca_key" ]; then
    openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 3650 -keyout "$ca_key" -out "$ca_cert" \
        -subj "/CN=Strumwise on $(hostname)" \
        -addext "basicConstraints=critical,CA:TRUE,pathlen:0" \
        -addext "keyUsage=critical,keyCertSign,cRLSign" \
        -addext "nameConstraints=critical,permitted;IP:10.0.0.0/255.0.0.0,permitted;IP:172.16.0.0/255.240.0.0,permitted;IP:192.168.0.0/255.255.0.0,permitted;IP:100.64.0.0/255.192.0.0,permitted;IP:169.254.0.0/255.255.0.0,permitted;DNS:strumwise.invalid" \
        2>/dev/null
fi
# A certificate from before the authority (signed by itself), or one that runs out within a
# month, is made again; a phone accepts at most 825 days, and browsers on a desktop 398.
if ! openssl verify -CAfile "$ca_cert" "$cert" >/dev/null 2>&1 ||
        ! openssl x509 -checkend $((30 * 86400)) -noout -in "$cert" >/dev/null 2>&1; then
    openssl req -newkey rsa:2048 -nodes -sha256 -keyout "$key" -out "$tls/request.csr" \
        -subj "/CN=Strumwise on $address" 2>/dev/null
    openssl x509 -req -in "$tls/request.csr" -CA "$ca_cert" -CAkey "$ca_key" -CAcreateserial \
        -days 397 -sha256 -out "$cert" -extfile <(printf '%s\n' \
            "basicConstraints=critical,CA:FALSE" "keyUsage=critical,digitalSignature,keyEncipherment" \
            "extendedKeyUsage=serverAuth" "subjectAltName=IP:$address") 2>/dev/null
    rm -f "$tls/request.csr"
fi
case "$address" in
    10.*|192.168.*|172.1[6-9].*|172.2[0-9].*|172.3[01].*|169.254.*|100.6[4-9].*|100.[7-9][0-9].*|100.1[01][0-9].*|100.12[0-7].*) ;;
    *) echo "serve-web: $address is no local network's address, which the certificate authority vouches" \
            "for: a phone will warn about it, and cannot install the tuner or use it offline" >&2 ;;
esac

port=8443
setup_port=8080
setup="http://$address:$setup_port/"
echo "On a phone in the same network, open $setup or scan this code:"
qrencode -t ANSIUTF8 -m 2 "$setup"
echo "It offers this computer's certificate, to install once, and then the tuner at"
echo "https://$address:$port/, which then installs and works offline. The certificate's fingerprint:"
openssl x509 -noout -fingerprint -sha256 -in "$ca_cert" | sed 's/^.*=/  /'
exec python3 scripts/serve_site.py --site "$site" --bind "$address" --port "$port" \
    --cert "$cert" --key "$key" --ca-cert "$ca_cert" --setup-port "$setup_port"
