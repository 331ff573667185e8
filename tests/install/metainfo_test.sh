#!/usr/bin/env bash
# The installed AppStream data passes the validator, names the desktop entry and the screenshots as
# installed, and gives the release the version the build and the Debian changelog give.
# Environment: PREFIX, SHAREDIR, DOCDIR, SOURCE, VERSION. Exits 77 (skipped) without appstreamcli.
set -euo pipefail
if ! command -v appstreamcli >/dev/null; then
    echo "appstreamcli is not installed (package appstream)"
    exit 77
fi
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
metainfo=$(ls "$PREFIX/$SHAREDIR"/metainfo/*.metainfo.xml)
id=$(sed -n 's|.*<id>\(.*\)</id>.*|\1|p' "$metainfo")
[[ "$(basename "$metainfo")" == "$id.metainfo.xml" ]] || fail "$(basename "$metainfo") is not named by its id $id"
appstreamcli validate --no-net "$metainfo" >&2 || fail "appstreamcli rejects $metainfo"

entry=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
[[ -f "$PREFIX/$SHAREDIR/applications/$entry" ]] || fail "the launchable $entry is not installed"
shots=$(sed -n 's|.*<image>.*/\([^/<]*\)</image>.*|\1|p' "$metainfo")
[[ -n "$shots" ]] || fail "no screenshots"
for name in $shots; do
    [[ "$(head -c4 "$PREFIX/$DOCDIR/screenshots/$name" 2>/dev/null | tail -c3)" == PNG ]] ||
        fail "the screenshot $name is not installed as a PNG"
done
grep -q "<release version=\"$VERSION\"" "$metainfo" || fail "no release $VERSION in $metainfo"
changelog=$(sed -n '1s/^korvex (\([^)]*\)).*/\1/p' "$SOURCE/debian/changelog")
[[ "$changelog" == "$VERSION" ]] || fail "debian/changelog is at $changelog, the build at $VERSION"
((failures == 0)) || exit 1
echo "AppStream data: valid, $id, $(wc -w <<<"$shots") screenshots, release $VERSION"
