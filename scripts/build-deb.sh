#!/usr/bin/env bash
# Builds the Debian package from this tree, checks it, and starts the game from it headless.
#
#   scripts/build-deb.sh        the package lands in build-deb/korvex_<version>_<arch>.deb
#
# Installs the package tools and the build's packages from Debian first (sudo when not root). The
# tree as it stands, committed or not, is copied into build-deb/ and built there: dpkg-buildpackage
# writes its results beside the source folder, which is then build-deb/ and not the folder above this one.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
./scripts/install-packages.sh packages.txt packages-deb.txt

version=$(sed -n 's/^project(korvex VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
changelog=$(dpkg-parsechangelog -l debian/changelog -S Version)
if [[ "$changelog" != "$version" ]]; then
  echo "build-deb.sh: debian/changelog is at $changelog, CMakeLists.txt at $version: add a changelog entry" >&2
  exit 1
fi

out=$here/build-deb
src=$out/korvex-$version
mkdir -p "$out"
rm -rf "$src"
mkdir "$src"
# Tracked and new files, without what .gitignore keeps out (the build folders).
git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' f; do [[ -e "$f" ]] && printf '%s\0' "$f"; done |
  tar -c --null -T - | tar -x -C "$src"

arch=$(dpkg --print-architecture)
deb=$out/korvex_${version}_${arch}.deb
rm -f "$deb"
(cd "$src" && nice -n 5 dpkg-buildpackage -b -us -uc)
[[ -f "$deb" ]] || { echo "build-deb.sh: no $deb" >&2; exit 1; }

# Errors fail the build; warnings are shown.
lintian --fail-on error --info "$deb"
"$here/tests/install/deb_start_test.sh" "$deb"
echo "build-deb.sh: $deb"
