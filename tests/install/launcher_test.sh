#!/usr/bin/env bash
# The launcher makes the player's folder once, never replaces the player's own files, follows the
# installation when it moves, and starts the game in that folder with the options as given.
# The game is replaced by a stand-in that writes down where and how it was started.
# Environment: PREFIX, BINDIR, GAMEDIR, DATADIR.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# A copy of the installed layout with the real launcher and a stand-in game.
make_prefix() {
    local dest=$1
    mkdir -p "$dest/$BINDIR" "$dest/$GAMEDIR" "$dest/$DATADIR"
    cp "$PREFIX/$BINDIR/korvex" "$dest/$BINDIR/korvex"
    for dir in t x m w; do mkdir "$dest/$DATADIR/$dir"; done
    cp "$PREFIX/$DATADIR/KeyConfig.txt" "$PREFIX/$DATADIR/score.txt" "$dest/$DATADIR/"
    # As a packaged installation may have them: read-only.
    chmod a-w "$dest/$DATADIR/KeyConfig.txt" "$dest/$DATADIR/score.txt"
    cat >"$dest/$GAMEDIR/korvex" <<'GAME'
#!/bin/sh
{ pwd -P; for a in "$@"; do printf '<%s>\n' "$a"; done; } >"$KORVEX_TEST_RECORD"
GAME
    chmod +x "$dest/$GAMEDIR/korvex"
}

# The folder's state: every entry with its type, mode, time and link target.
snapshot() { (cd "$1" && find . -printf '%p %y %m %T@ %l\n' | LC_ALL=C sort); }

export KORVEX_TEST_RECORD=$work/record
export HOME=$work/home
export XDG_DATA_HOME=$work/xdg
mkdir -p "$HOME"
folder=$XDG_DATA_HOME/korvex
make_prefix "$work/a"
a_data=$(cd "$work/a/$DATADIR" && pwd -P)

# First start: the folder is made and the game runs in it with the options untouched.
"$work/a/$BINDIR/korvex" --window "two words" --stage 2
[[ -d "$folder" ]] || fail "the player's folder was not made"
expected_record=$(printf '%s\n' "$(cd "$folder" && pwd -P)" '<--window>' '<two words>' '<--stage>' '<2>')
[[ "$(cat "$KORVEX_TEST_RECORD")" == "$expected_record" ]] || fail "the game was started as: $(cat "$KORVEX_TEST_RECORD")"
for dir in t x m w; do
    [[ -L "$folder/$dir" && "$(readlink "$folder/$dir")" == "$a_data/$dir" ]] || fail "$dir does not link to the installed $dir"
done
for file in KeyConfig.txt score.txt; do
    cmp -s "$folder/$file" "$a_data/$file" || fail "$file is not a copy of the installed one"
    [[ -f "$folder/$file" && ! -L "$folder/$file" ]] || fail "$file is not a file of the player's own"
    [[ "$(stat -c %A "$folder/$file")" == ?rw* ]] || fail "$file cannot be rewritten by the game"
done

# The player's edits survive, and a second start changes nothing at all.
printf '123456' >"$folder/score.txt"
printf '5,6,7\n' >"$folder/KeyConfig.txt"
before=$(snapshot "$folder")
sleep 0.01  # so that a rewritten file would show a newer time
"$work/a/$BINDIR/korvex"
[[ "$(snapshot "$folder")" == "$before" ]] || fail "the second start changed the folder"
[[ "$(cat "$KORVEX_TEST_RECORD")" == "$(cd "$folder" && pwd -P)" ]] || fail "the second start passed options that were not given"

# The installation moves (and is started through a link to its launcher): the links follow it,
# the player's files stay.
mv "$work/a" "$work/b"
b_data=$(cd "$work/b/$DATADIR" && pwd -P)
mkdir "$work/path"
ln -s "$work/b/$BINDIR/korvex" "$work/path/korvex"
"$work/path/korvex" /f
for dir in t x m w; do
    [[ "$(readlink "$folder/$dir")" == "$b_data/$dir" ]] || fail "$dir still links to the old place: $(readlink "$folder/$dir")"
done
[[ "$(cat "$folder/score.txt")" == 123456 ]] || fail "the edited score.txt was replaced"
[[ "$(cat "$folder/KeyConfig.txt")" == 5,6,7 ]] || fail "the edited KeyConfig.txt was replaced"
[[ "$(tail -n1 "$KORVEX_TEST_RECORD")" == '</f>' ]] || fail "the option did not reach the game"

# A folder the player put in place of a link is theirs,
rm "$folder/w"
mkdir "$folder/w"
"$work/b/$BINDIR/korvex"
[[ -d "$folder/w" && ! -L "$folder/w" ]] || fail "the player's own w was replaced"

ln -sfn "$work/b" "$folder/x"  # and a link to a modded set
"$work/b/$BINDIR/korvex"
[[ "$(readlink "$folder/x")" == "$work/b" ]] || fail "the player's own link x was replaced"

# Another installation while this one stays on disk (a package after an install in ~/.local): the
# launcher's links follow the one started, into the data folder it remembers; the player's own stay.
make_prefix "$work/c"
c_data=$(cd "$work/c/$DATADIR" && pwd -P)
"$work/c/$BINDIR/korvex"
for dir in t m; do
    [[ "$(readlink "$folder/$dir")" == "$c_data/$dir" ]] || fail "$dir still links to the other installation: $(readlink "$folder/$dir")"
done
[[ -d "$folder/w" && ! -L "$folder/w" && "$(readlink "$folder/x")" == "$work/b" ]] ||
    fail "starting another installation replaced the player's own w or x"
"$work/b/$BINDIR/korvex"
[[ "$(readlink "$folder/t")" == "$b_data/t" && "$(readlink "$folder/x")" == "$work/b" ]] ||
    fail "back to the first installation, t links to $(readlink "$folder/t") and x to $(readlink "$folder/x")"
rm -rf "$work/c"

# --help and --version are answered without the player's folder.
for option in --help --version; do
    rm -f "$KORVEX_TEST_RECORD"
    XDG_DATA_HOME=$work/asked "$work/b/$BINDIR/korvex" --window "$option" || fail "$option: status $?"
    [[ ! -e "$work/asked" && "$(tail -n1 "$KORVEX_TEST_RECORD" 2>/dev/null)" == "<$option>" ]] ||
        fail "$option made the folder or did not reach the game"
done

# An exported CDPATH that holds a folder of the launcher's relative path changes none of its steps.
mkdir -p "$work/decoy/$BINDIR" "$work/decoy/$DATADIR"
rm -f "$KORVEX_TEST_RECORD"
status=0
(cd "$work/b" && CDPATH=$work/decoy "$BINDIR/korvex" >"$work/out" 2>&1) || status=$?
[[ $status == 0 && ! -s "$work/out" && "$(head -n1 "$KORVEX_TEST_RECORD" 2>/dev/null)" == "$(cd "$folder" && pwd -P)" ]] ||
    fail "with CDPATH: status $status, said: $(cat "$work/out")"
# refused WHY [COMMAND...]: the launcher ends with one line naming the player's folder, the game unstarted.
refused() {
    local why=$1 status=0
    shift
    rm -f "$KORVEX_TEST_RECORD"
    "$@" "$work/b/$BINDIR/korvex" 2>"$work/err" || status=$?
    ((status != 0)) && [[ ! -e "$KORVEX_TEST_RECORD" && $(wc -l <"$work/err") == 1 ]] &&
        grep -q "^korvex: .*$folder" "$work/err" || fail "with $why: status $status, said: $(cat "$work/err")"
}
mv "$folder/score.txt" "$work/score.kept" && ln -s "$work/gone" "$folder/score.txt"
refused "a score.txt linked to nothing"
mv -f "$work/score.kept" "$folder/score.txt" && chmod a-w "$folder" && chmod go+x "$work"  # root: as another user
refused "a folder that cannot be written" $( ((EUID != 0)) || echo setpriv --reuid=65534 --regid=65534 --clear-groups)
chmod u+w "$folder"

# Two first starts at once both start, however their steps interleave.
for run in $(seq 1 20); do
    XDG_DATA_HOME=$work/race$run "$work/b/$BINDIR/korvex" 2>>"$work/race.err" &
    XDG_DATA_HOME=$work/race$run "$work/b/$BINDIR/korvex" 2>>"$work/race.err" && wait $! || fail "a first start failed"
done
[[ ! -s "$work/race.err" && -z "$(find "$b_data" -type l)" ]] || fail "side by side: $(sort -u "$work/race.err")"

# A folder on a file system without hard links (vfat, exFAT), here an ln that makes none: the copies
# are renamed into place, side by side too.
mkdir "$work/no-hard-links"
cat >"$work/no-hard-links/ln" <<STUB
#!/bin/sh
case \$1 in -s*) exec $(command -v ln) "\$@" ;; esac
echo "ln: failed to create hard link: Operation not permitted" >&2
exit 1
STUB
chmod +x "$work/no-hard-links/ln"
fat_start() { PATH=$work/no-hard-links:$PATH XDG_DATA_HOME=$work/fat$1 "$work/b/$BINDIR/korvex" 2>>"$work/fat.err"; }
for run in $(seq 1 5); do
    fat_start "$run" &
    fat_start "$run" && wait $! || fail "a start without hard links failed"
    for file in KeyConfig.txt score.txt; do
        [[ -f "$work/fat$run/korvex/$file" ]] && cmp -s "$work/fat$run/korvex/$file" "$b_data/$file" ||
            fail "without hard links $file is not a copy of the installed one"
    done
    [[ -z "$(find "$work/fat$run" -name '*.new-*')" ]] || fail "without hard links copies were left behind"
done
[[ ! -s "$work/fat.err" ]] || fail "without hard links: $(sort -u "$work/fat.err")"

# Without XDG_DATA_HOME, or with a relative one, the folder is in ~/.local/share.
for value in unset relative; do
    rm -rf "$HOME/.local"
    if [[ $value == unset ]]; then
        (unset XDG_DATA_HOME && "$work/b/$BINDIR/korvex")
    else
        (cd "$work" && XDG_DATA_HOME=xdg-relative "$work/b/$BINDIR/korvex")
    fi
    [[ -L "$HOME/.local/share/korvex/t" && -f "$HOME/.local/share/korvex/score.txt" ]] ||
        fail "with XDG_DATA_HOME $value the folder is not in ~/.local/share"
done
[[ ! -e "$work/xdg-relative" ]] || fail "a relative XDG_DATA_HOME was used"

((failures == 0)) || exit 1
echo "launcher: folder made once, player's files kept"
