#!/usr/bin/env bash
# Installs what the web edition needs to build, when any is missing: Debian's emscripten,
# pngquant (which shrinks the site's pictures), Python for the site's assembly, the native
# toolchain and Qt's GUI and SVG parts for the artwork program that draws the pictures, openssl,
# qrencode and iproute2 for serving on the local network (scripts/web.sh --lan), and the Debian
# sources of KISS FFT and libsoxr, which the WebAssembly build compiles itself. With --tests,
# also chromium and npm, which the browser tests need, and NSS's certutil, with which the local
# network's test gives Chromium the certificate authority a phone installs. The sources are fetched with
# apt-get source through a private apt state folder, so the system's apt configuration stays
# untouched, into a cache outside the source tree. Idempotent: with everything present it prints
# nothing.
# Prints the folder that holds the unpacked sources as its last line when asked with --print.
set -euo pipefail

cache="${XDG_CACHE_HOME:-$HOME/.cache}/strumwise/debian-src"
source_packages=(kissfft libsoxr)
with_tests=0
print_cache=0
for argument in "$@"; do
    case $argument in
        --tests) with_tests=1 ;;
        --print) print_cache=1 ;;
        *) echo "usage: setup_web.sh [--tests] [--print]" >&2; exit 2 ;;
    esac
done

packages=(
    # The artwork program, built natively. Qt finds its "offscreen" platform in libqt6gui6.
    g++ cmake ninja-build pkg-config ccache qt6-base-dev qt6-svg-dev libgl-dev fonts-dejavu-core
    # WebAssembly, the sources' unpacking and the site's assembly.
    emscripten dpkg-dev pngquant python3
    # The https certificate and QR code of scripts/web.sh --lan, which finds the address with
    # iproute2.
    openssl qrencode iproute2
)
[ "$with_tests" = 0 ] || packages+=(chromium libnss3-tools)
# shellcheck source=install_missing.sh
source "$(dirname "$0")/install_missing.sh"
mapfile -t missing < <(missing_packages "${packages[@]}")
# A node that came with its own npm (as some distributions of node do) conflicts with Debian's
# npm package, so npm is only installed when there is none.
if [ "$with_tests" = 1 ] && ! command -v npm >/dev/null; then
    missing+=(npm)
fi
[ ${#missing[@]} -eq 0 ] || install_packages setup-web "${missing[@]}"

# deb_src_entries LIST_FILE SOURCES_FILE: writes a deb-src entry for each enabled binary entry
# of the system's apt sources, in the form it was found in: one-line entries of sources.list and
# sources.list.d/*.list to LIST_FILE, deb822 stanzas of sources.list.d/*.sources to SOURCES_FILE.
# Only the type changes; mirror, suites, components and options such as signed-by stay.
deb_src_entries() {
    local list parts file
    eval "$(apt-config shell list Dir::Etc::sourcelist/f parts Dir::Etc::sourceparts/d)"
    : >"$1"
    : >"$2"
    for file in "$list" "$parts"*.list; do
        [ -f "$file" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file" >>"$1"
    done
    for file in "$parts"*.sources; do
        [ -f "$file" ] || continue
        # Stanzas are separated by blank lines; comments go, continuation lines stay.
        awk 'function flush() {
                 if (stanza != "" && binary && enabled) printf "Types: deb-src\n%s\n", stanza
                 stanza = ""; binary = 0; enabled = 1
             }
             BEGIN { enabled = 1 }
             /^[ \t]*#/ { next }
             /^[ \t]*$/ { flush(); next }
             tolower($1) == "types:" {
                 for (k = 2; k <= NF; k++) if ($k == "deb") binary = 1
                 next
             }
             tolower($1) == "enabled:" && tolower($2) == "no" { enabled = 0 }
             { stanza = stanza $0 "\n" }
             END { flush() }' "$file" >>"$2"
    done
}

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
    # The deb-src entries are the system's own binary entries with only their type changed, so
    # the sources come from the same mirror or proxy, suites and keys as its packages.
    rm -f "$state/sources.list.d/"*
    deb_src_entries "$state/sources.list" "$state/sources.list.d/system.sources"
    if [ ! -s "$state/sources.list" ] && [ ! -s "$state/sources.list.d/system.sources" ]; then
        echo "setup-web: apt has no deb entries to derive deb-src entries from" >&2
        exit 1
    fi
    apt_options=(-o "Dir::Etc::SourceList=$state/sources.list"
                 -o "Dir::Etc::SourceParts=$state/sources.list.d"
                 -o "Dir::State::Lists=$state/lists"
                 -o "Dir::Cache=$state/cache"
                 -o APT::Sandbox::User=root)
    mkdir -p "$state/cache/archives/partial"
    # A third-party repository without sources fails its part of the update; what matters is
    # whether the packages' sources can then be fetched, which apt-get source reports itself.
    apt-get "${apt_options[@]}" update -qq ||
        echo "setup-web: some deb-src indexes could not be fetched; trying the sources anyway" >&2
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

if [ "$print_cache" = 1 ]; then
    echo "$cache"
fi
