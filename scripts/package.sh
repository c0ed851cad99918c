#!/usr/bin/env bash
# Builds the Debian package for this machine's architecture and checks it with lintian.
# Usage: scripts/package.sh [OUT_DIR]    (default: build-package/ in the tree)
# Progress goes to stderr; the path of the package is the one line printed on stdout, so a
# script can take it with deb="$(scripts/package.sh)".
#
# The build runs in a copy of the tree inside OUT_DIR, because dpkg-buildpackage writes its
# results beside the source folder, and because debian/changelog is written there from the
# release in cmake/TagEditorRelease.cmake, the one place the version is kept.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$(mkdir -p "${1:-$root/build-package}" && cd "${1:-$root/build-package}" && pwd)"
"$root/scripts/install-deps.sh" >&2

read -r version release_date < <(cmake -P "$root/cmake/TagEditorRelease.cmake")
[[ -n "$version" && -n "$release_date" ]] || { echo "No release in cmake/TagEditorRelease.cmake" >&2; exit 1; }
source_dir="$out/tageditor-$version"
log="$out/build.log"

rm -rf "$out"/tageditor-* "$out"/tageditor_* "$out"/tageditor-dbgsym_*
mkdir -p "$source_dir"
tar -C "$root" --exclude=./.git --exclude='./build*' --exclude='./fuzz-out*' --exclude=./.cache \
    -cf - . | tar -C "$source_dir" -xf -
# Noon UTC on the release day: the changelog's date is also the date of every file in the
# package, so two builds of one release give the same package.
cat >"$source_dir/debian/changelog" <<EOF
tageditor ($version) unstable; urgency=medium

  * Release $version.

 -- Melvora <tageditor@melvora.example>  $(LC_ALL=C date -u -R -d "$release_date 12:00")
EOF

echo "Building the package tageditor $version (log: $log)" >&2
if ! (cd "$source_dir" &&
    DEB_BUILD_OPTIONS="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -b -us -uc) \
    >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "The package build failed; the whole log is $log" >&2
    exit 1
fi
rm -rf "$source_dir"

deb="$out/tageditor_${version}_$(dpkg --print-architecture).deb"
echo "Checking $deb with lintian" >&2
# Every tag down to the informational ones is shown; errors and warnings fail the build (the
# package's overrides name the few that do not apply, each with its reason).
lintian --info --display-info --fail-on error,warning "$out"/tageditor_*.changes >&2
echo "$deb"
