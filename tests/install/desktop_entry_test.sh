#!/usr/bin/env bash
# The desktop entry passes the freedesktop.org validator and names the installed command and icon.
# Environment: PREFIX, BINDIR, SHAREDIR. Exits 77 (skipped) without desktop-file-validate.
set -euo pipefail
entry="$PREFIX/$SHAREDIR/applications/korvex.desktop"
if ! command -v desktop-file-validate >/dev/null; then
    echo "desktop-file-validate is not installed (package desktop-file-utils)"
    exit 77
fi
output=$(desktop-file-validate "$entry" 2>&1) || {
    echo "$output" >&2
    exit 1
}
# Hints are advice; errors and warnings are faults.
if grep -Eq 'error:|warning:' <<<"$output"; then
    echo "$output" >&2
    exit 1
fi
exec_command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry" | head -n1)
icon=$(sed -n 's/^Icon=//p' "$entry")
grep -qx 'Categories=.*Game;.*' "$entry" || { echo "not in the Game category" >&2; exit 1; }
[[ -x "$PREFIX/$BINDIR/$exec_command" ]] || { echo "Exec=$exec_command is not the installed launcher" >&2; exit 1; }
[[ -f "$PREFIX/$SHAREDIR/icons/hicolor/48x48/apps/$icon.png" ]] || { echo "Icon=$icon is not installed" >&2; exit 1; }
echo "desktop entry: valid"
