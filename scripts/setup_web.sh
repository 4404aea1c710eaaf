#!/usr/bin/env bash
# Installs what the web edition needs to build and test, when any is missing: Debian's
# emscripten, chromium, npm, pngquant (which shrinks the site's pictures), openssl and qrencode
# (the https certificate and QR code of scripts/web.sh --lan, which finds the address with
# iproute2), and the Debian
# sources of KISS FFT and libsoxr, which the WebAssembly build compiles itself. The sources are
# fetched with apt-get source through a private apt state folder, so the system's apt
# configuration stays untouched, into a cache outside the source tree. Idempotent: with
# everything present it prints nothing.
# Prints the folder that holds the unpacked sources as its last line when asked with --print.
set -euo pipefail

cache="${XDG_CACHE_HOME:-$HOME/.cache}/strumwise/debian-src"
source_packages=(kissfft libsoxr)

packages=(emscripten chromium dpkg-dev pngquant openssl qrencode iproute2)
# shellcheck source=install_missing.sh
source "$(dirname "$0")/install_missing.sh"
mapfile -t missing < <(missing_packages "${packages[@]}")
# A node that came with its own npm (as some distributions of node do) conflicts with Debian's
# npm package, so npm is only installed when there is none.
command -v npm >/dev/null || missing+=(npm)
[ ${#missing[@]} -eq 0 ] || install_packages setup-web "${missing[@]}"

# One unpacked source tree per package, named by the package; a tree is only kept once
# dpkg-source has checked and unpacked it, so an interrupted fetch is retried next time.
need_fetch=()
for package in "${source_packages[@]}"; do
    [ -f "$cache/$package/.unpacked" ] || need_fetch+=("$package")
done
if [ ${#need_fetch[@]} -gt 0 ]; then
    echo "setup-web: fetching the Debian sources of ${need_fetch[*]}"
    state="$cache/apt-state"
    mkdir -p "$state/sources.list.d" "$state/lists/partial" "$cache/downloads"
    # The deb-src entry mirrors the system's own Debian release and mirror.
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
    cat >"$state/sources.list.d/debian-src.sources" <<EOF
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    apt_options=(-o Dir::Etc::SourceList=/dev/null
                 -o "Dir::Etc::SourceParts=$state/sources.list.d"
                 -o "Dir::State::Lists=$state/lists"
                 -o "Dir::Cache=$state/cache"
                 -o APT::Sandbox::User=root)
    mkdir -p "$state/cache/archives/partial"
    apt-get "${apt_options[@]}" update -qq
    for package in "${need_fetch[@]}"; do
        rm -rf "${cache:?}/$package" "$cache/downloads/$package"
        mkdir -p "$cache/downloads/$package"
        (cd "$cache/downloads/$package" && apt-get "${apt_options[@]}" source -qq --download-only "$package")
        dsc=$(ls "$cache/downloads/$package"/*.dsc)
        # dpkg-source checks the checksums the .dsc lists as it unpacks; apt has already checked
        # the .dsc against the signed release index, so its warnings are only shown on failure.
        dpkg-source -x "$dsc" "$cache/$package" >"$cache/downloads/$package/unpack.log" 2>&1 ||
            { cat "$cache/downloads/$package/unpack.log" >&2; exit 1; }
        touch "$cache/$package/.unpacked"
    done
fi

if [ "${1:-}" = "--print" ]; then
    echo "$cache"
fi
