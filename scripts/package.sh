#!/usr/bin/env bash
# Builds the release artifacts into build/package/: the Debian package strumwise_VERSION_ARCH.deb
# (built with dpkg-buildpackage from a copy of the working tree, then checked with lintian,
# desktop-file-validate and appstreamcli) and strumwise-web-VERSION.tar.gz, the web edition's
# static site for any https host. Installs the packaging tools and build dependencies it lacks.
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=install_missing.sh
source scripts/install_missing.sh
tools=(dpkg-dev debhelper lintian desktop-file-utils appstream)
mapfile -t missing < <(missing_packages "${tools[@]}")
[ ${#missing[@]} -eq 0 ] || install_packages package "${missing[@]}"
dpkg-checkbuilddeps >/dev/null 2>&1 || install_build_dependencies package

version=$(dpkg-parsechangelog -S Version)
out=build/package
work="$out/work"
tree="$work/strumwise-$version"
rm -rf "$work" "$out"/*.deb "$out"/strumwise-web-*.tar.gz
mkdir -p "$tree"

# The package is built from a copy of the files git knows of (committed or not, ignored ones
# left out), so that neither build/ nor dpkg-buildpackage's output lands in the working tree.
git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
    tar --null -T - -cf - | tar -xf - -C "$tree"

echo "package: building strumwise $version"
# debhelper gives the build a home of its own, so the compiler cache is named explicitly.
if command -v ccache >/dev/null; then
    CCACHE_DIR=$(ccache -k cache_dir)
    export CCACHE_DIR
fi
(cd "$tree" && dpkg-buildpackage -us -uc -b) >"$work/build.log" 2>&1 ||
    { tail -n 60 "$work/build.log" >&2; echo "package: the build failed; see $work/build.log" >&2; exit 1; }
deb=$(ls "$work"/strumwise_"$version"_*.deb)
mv "$deb" "$out/"
deb="$out/$(basename "$deb")"

echo "package: lintian"
lintian --fail-on error,warning --display-info "$deb"

echo "package: desktop entry and AppStream metadata, as installed"
installed="$work/installed"
dpkg-deb -x "$deb" "$installed"
desktop-file-validate "$installed/usr/share/applications/com.strumwise.tuner.desktop"
appstreamcli validate --no-net "$installed/usr/share/metainfo/com.strumwise.tuner.metainfo.xml"

echo "package: the web edition's site"
bash scripts/build_web.sh release
site="strumwise-web-$version"
tar --sort=name --owner=0 --group=0 --numeric-owner -czf "$out/$site.tar.gz" \
    -C build/web --transform "s,^site,$site," site

echo "package: wrote $deb and $out/$site.tar.gz"
