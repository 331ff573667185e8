#!/usr/bin/env bash
# Every file the installation promises is where a Linux desktop looks for it, and nothing more lands
# beside the game's data. The layout comes from the environment the build sets:
# PREFIX, BINDIR, GAMEDIR, DATADIR (the game's data), SHAREDIR, MANDIR, BUILD_DATA.
set -euo pipefail
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

[[ -x "$PREFIX/$BINDIR/korvex" ]] || fail "no launcher in $BINDIR"
head -n1 "$PREFIX/$BINDIR/korvex" | grep -qx '#!/bin/sh' || fail "the launcher is not a POSIX sh script"
[[ -x "$PREFIX/$GAMEDIR/korvex" ]] || fail "no game in $GAMEDIR"
[[ "$(head -c4 "$PREFIX/$GAMEDIR/korvex" | od -An -c | tr -d ' ')" == '177ELF' ]] || fail "the game is not a program"

# The data set: exactly the pictures, meshes, songs and sounds the build generated.
for dir in t x m w; do
    if [[ ! -d "$PREFIX/$DATADIR/$dir" ]]; then
        fail "no $DATADIR/$dir"
        continue
    fi
    if ! diff <(cd "$BUILD_DATA/$dir" && find . -type f | sort) <(cd "$PREFIX/$DATADIR/$dir" && find . -type f | sort) >&2
    then
        fail "$DATADIR/$dir differs from the generated $dir"
    fi
done
expected=$(printf '%s\n' KeyConfig.txt m score.txt t w x)
actual=$(ls -A "$PREFIX/$DATADIR" | LC_ALL=C sort)
[[ "$actual" == "$(LC_ALL=C sort <<<"$expected")" ]] || fail "$DATADIR holds: $(echo $actual)"
grep -Eqx '[0-9]+,[0-9]+,[0-9]+' "$PREFIX/$DATADIR/KeyConfig.txt" || fail "KeyConfig.txt is not three button numbers"
grep -Eqx '[0-9]+' "$PREFIX/$DATADIR/score.txt" || fail "score.txt is not a number"

[[ -f "$PREFIX/$SHAREDIR/applications/korvex.desktop" ]] || fail "no desktop entry"

# PNG icons, each as large as the folder it is in says.
for size in 16 32 48 64 128 256; do
    icon="$PREFIX/$SHAREDIR/icons/hicolor/${size}x${size}/apps/korvex.png"
    if [[ ! -f "$icon" ]]; then
        fail "no ${size}x${size} icon"
        continue
    fi
    [[ "$(head -c8 "$icon" | od -An -tx1 | tr -d ' \n')" == 89504e470d0a1a0a ]] || fail "$icon is not a PNG"
    # IHDR: width and height as 32-bit big-endian numbers at bytes 16 and 20.
    read -r w h < <(od -An -tu1 -j16 -N8 "$icon" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [[ "$w $h" == "$size $size" ]] || fail "the ${size}x${size} icon is $w x $h"
done

man="$PREFIX/$MANDIR/man6/korvex.6"
if [[ -f "$man" ]]; then
    for option in '\\-\\-window' '/w' '/f' '\\-\\-stage' 'XDG_DATA_HOME' 'KeyConfig.txt' 'score.txt' 'Log.txt'; do
        grep -q -- "$option" "$man" || fail "the man page does not mention $option"
    done
    if command -v groff >/dev/null; then
        warnings=$(groff -man -ww -z "$man" 2>&1)
        [[ -z "$warnings" ]] || fail "groff: $warnings"
    fi
else
    fail "no man page"
fi

((failures == 0)) || exit 1
echo "installed files: all in place"
