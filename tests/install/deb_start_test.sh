#!/usr/bin/env bash
# The built Debian package, unpacked into a throw-away root, holds the game where Debian keeps games,
# and the game starts headless from its launcher there.
#   deb_start_test.sh DEB        exits 77 (skipped) when DEB was not built (scripts/build-deb.sh builds it)
set -euo pipefail
deb=$1
if [[ ! -f "$deb" ]]; then
    echo "no package at $deb (scripts/build-deb.sh builds it)"
    exit 77
fi
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

for path in usr/games/korvex usr/lib/games/korvex/korvex; do
    [[ -x "$root/$path" ]] || fail "no /$path"
done
for path in usr/share/games/korvex/KeyConfig.txt usr/share/applications/korvex.desktop \
    usr/share/icons/hicolor/256x256/apps/korvex.png usr/share/man/man6/korvex.6.gz usr/share/doc/korvex/copyright; do
    [[ -f "$root/$path" ]] || fail "no /$path"
done
ls "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null 2>&1 || fail "no AppStream metadata in /usr/share/metainfo"
((failures == 0)) || exit 1

PREFIX=$root/usr BINDIR=games DATADIR=share/games/korvex "$(dirname "$0")/game_start_test.sh"
echo "package: unpacked with dpkg -x, every file in place, the game started from /usr/games/korvex"
