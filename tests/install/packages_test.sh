#!/usr/bin/env bash
# The set-up scripts as other machines meet them, with apt, dpkg, id and clang stood in for.
set -euo pipefail
src=$1 work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

! grep -nE '^[^#[:space:]]*-[0-9]+(\.[0-9]+)*(-[a-z0-9]+)*([[:space:]]|$)' "$src"/packages*.txt >&2 ||
    fail "a package list names a version"
# Installed: the names in $INSTALLED; all but those in $UNKNOWN can be installed. No sudo on the PATH.
bin=$work/bin && mkdir "$bin"
cat >"$bin/stand-in" <<'STUB'
#!/bin/sh
for last; do :; done
case ${0##*/} in
    id) echo "$FAKE_UID" ;;
    dpkg-query) case " $INSTALLED " in *" $last "*) printf 'install ok installed' ;; esac ;;
    apt-cache) case " $UNKNOWN " in *" $last "*) echo 'Candidate: (none)' ;; *) echo 'Candidate: 1.0' ;; esac ;;
    apt-get) echo "apt-get $*" >>"$APT_LOG" ;;
    *) exit 1 ;;
esac
STUB
chmod +x "$bin/stand-in"
for tool in id dpkg-query apt-cache apt-get clang++; do ln -s stand-in "$bin/$tool"; done
for tool in bash grep dirname; do ln -s "$(command -v "$tool")" "$bin/$tool"; done
export APT_LOG=$work/apt.log
listed() { grep -hvE '^\s*(#|$)|optional' "$@" | paste -sd' '; }
run() { rm -f "$APT_LOG"; status=0; "$@" >"$work/out" 2>&1 || status=$?; }

FAKE_UID=1000 INSTALLED= UNKNOWN= run env PATH="$bin" "$src/scripts/install-packages.sh" packages.txt
((status != 0)) && [[ ! -e $APT_LOG ]] && grep -qF "install -y --no-install-recommends $(listed "$src/packages.txt")" \
    "$work/out" || fail "without root or sudo: status $status, said: $(cat "$work/out")"
FAKE_UID=0 INSTALLED="$(listed "$src"/packages*.txt)" UNKNOWN=libclang-rt-dev \
    run env PATH="$bin" "$src/scripts/install-packages.sh" packages.txt packages-test.txt
((status == 0)) && [[ ! -e $APT_LOG ]] && grep -q 'left out: libclang-rt-dev' "$work/out" ||
    fail "a fuzzing runtime the release lacks: status $status, said: $(cat "$work/out")"
run env PATH="$bin:$PATH" "$src/scripts/fuzz.sh" 1
((status == 77)) || fail "fuzz.sh with a clang that builds nothing: status $status, said: $(cat "$work/out")"
((failures == 0)) || exit 1
echo "set-up: lists versionless, the line for root given, a missing runtime left out and the fuzzing skipped"
