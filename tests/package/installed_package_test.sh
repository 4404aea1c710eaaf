#!/usr/bin/env bash
# Installs the Debian package into a throw-away root (dpkg -x) and checks that what a user runs
# works from the installed files: the binary, the desktop entry's Exec and Icon, the icon theme,
# the manual page (which must document every command and option the binary's help lists), the
# bash completion and the versions the package, the binary and the AppStream metadata carry.
#   tests/package/installed_package_test.sh build/package/strumwise_VERSION_ARCH.deb
set -euo pipefail
deb=$(realpath "$1")
cd "$(dirname "$0")"
source ./strumwise_checks.sh

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

version=$(dpkg-deb -f "$deb" Version)
[ "$version" = "$(dpkg-parsechangelog -l ../../debian/changelog -S Version)" ] ||
    fail "the package is at $version, debian/changelog elsewhere"
bin="$root/usr/bin/strumwise"
check_runs "$bin" "$version" || failures=$((failures + 1))
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/com.strumwise.tuner.metainfo.xml" ||
    fail "the AppStream metadata has no release $version"

# The desktop entry starts the installed binary and names an icon the theme has at every size.
entry="$root/usr/share/applications/com.strumwise.tuner.desktop"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -x "$root/usr/bin/${exec_line%% *}" ] || fail "Exec=$exec_line is not an installed program"
"$root/usr/bin/${exec_line%% *}" window --help >/dev/null || fail "Exec=$exec_line window --help fails"
for size in 48 64 128 256 512; do
    png="$root/usr/share/icons/hicolor/${size}x$size/apps/$icon.png"
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" 2>/dev/null |
        awk '{ print ($1 * 2^24 + $2 * 2^16 + $3 * 2^8 + $4), ($5 * 2^24 + $6 * 2^16 + $7 * 2^8 + $8) }')
    [ "${width:-0}x${height:-0}" = "${size}x$size" ] ||
        fail "Icon=$icon at ${size}px is ${width:-missing}x${height:-}"
done
grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" 2>/dev/null ||
    fail "Icon=$icon has no scalable SVG"

# The manual page renders without warnings and documents every command and every option.
page="$root/usr/share/man/man1/strumwise.1.gz"
manual=$(LC_ALL=C MANWIDTH=100 man --warnings -l "$page" 2>"$root/man.err") || fail "man -l fails"
[ ! -s "$root/man.err" ] || fail "man -l warns: $(head -n 3 "$root/man.err")"
mapfile -t commands < <("$bin" --help | sed -n 's/^  \[\{0,1\}\([a-z]*\).*/\1/p')
[ ${#commands[@]} -ge 5 ] || fail "--help lists ${#commands[@]} commands"
for command in "${commands[@]}"; do
    grep -q "strumwise.* $command\b\|strumwise \[$command\]" <<<"$manual" ||
        fail "the manual page has no section on $command"
    for option in $("$bin" "$command" --help | grep -oE '(^|[ [])--?[a-z][a-z-]*' | tr -d ' [' | sort -u); do
        grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" <<<"$manual" || fail "the manual page does not document $command $option"
    done
done
grep -q -- '--version' <<<"$manual" || fail "the manual page does not document --version"

# The completion is valid bash, offers every command, and completes once bash-completion loads it.
completion="$root/usr/share/bash-completion/completions/strumwise"
bash -n "$completion" || fail "the bash completion does not parse"
for command in "${commands[@]}"; do
    grep -qw "$command" "$completion" || fail "the bash completion does not offer $command"
done
if [ -f /usr/share/bash-completion/bash_completion ]; then
    offered=$(bash -c 'source /usr/share/bash-completion/bash_completion; source "$1"
        COMP_WORDS=(strumwise tone --w); COMP_CWORD=2; COMP_LINE="strumwise tone --w"
        COMP_POINT=${#COMP_LINE}; _strumwise; echo "${COMPREPLY[*]}"' _ "$completion")
    [ "$offered" = "--wave" ] || fail "completing 'strumwise tone --w' offers '$offered'"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) of the installed package failed"
    exit 1
fi
echo "ok: the installed package works ($(dpkg-deb -c "$deb" | wc -l) entries)"
