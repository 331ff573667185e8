#!/usr/bin/env bash
# The set-up on machines other than this one: the package lists name no compiler version, a user who is
# not root and has no sudo is told the line to run as root, a package the release lacks is left out, and
# the fuzzing is skipped (status 77) where clang cannot build it. apt, dpkg and id are stand-ins here.
# Argument: the source folder.
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if grep -HnE '^[^#[:space:]]*-[0-9]+(\.[0-9]+)*(-[a-z0-9]+)*([[:space:]]|$)' \
    "$source_dir/packages.txt" "$source_dir/packages-test.txt" >&2; then
    fail "a package list names a version where a versionless package exists"
fi

# A PATH of stand-ins and the few tools the script needs (no sudo among them). Installed: the names in
# $INSTALLED; known to the package lists: all but those in $UNKNOWN.
bin=$work/bin
mkdir "$bin"
for tool in bash grep dirname; do ln -s "$(command -v "$tool")" "$bin/$tool"; done
cat >"$bin/id" <<'STUB'
#!/bin/sh
echo "$FAKE_UID"
STUB
cat >"$bin/dpkg-query" <<'STUB'
#!/bin/sh
for last; do :; done
for p in $INSTALLED; do [ "$p" = "$last" ] && printf 'install ok installed' && exit 0; done
exit 1
STUB
cat >"$bin/apt-cache" <<'STUB'
#!/bin/sh
for p in $UNKNOWN; do [ "$p" = "$2" ] && echo '  Candidate: (none)' && exit 0; done
echo '  Candidate: 1.0'
STUB
cat >"$bin/apt-get" <<'STUB'
#!/bin/sh
echo "apt-get $*" >>"$APT_LOG"
STUB
chmod +x "$bin"/*
export APT_LOG=$work/apt.log
game_packages=$(grep -vE '^\s*(#|$)' "$source_dir/packages.txt" | tr '\n' ' ')

# install ARGS...: the script under the stand-ins; its output in $work/out, its status in $status.
install() {
    rm -f "$APT_LOG"
    status=0
    PATH=$bin "$source_dir/scripts/install-packages.sh" "$@" >"$work/out" 2>&1 || status=$?
}

FAKE_UID=1000 INSTALLED="" UNKNOWN="" install packages.txt
if ((status == 0)) || [[ -e "$APT_LOG" ]] ||
    ! grep -qF "apt-get install -y --no-install-recommends ${game_packages% }" "$work/out"; then
    fail "without root or sudo: status $status, said: $(cat "$work/out")"
fi
all_but_runtime=$(grep -vhE '^\s*(#|$)|optional' "$source_dir/packages.txt" "$source_dir/packages-test.txt" | tr '\n' ' ')
FAKE_UID=0 INSTALLED="$all_but_runtime" UNKNOWN=libclang-rt-dev install packages.txt packages-test.txt
if ((status != 0)) || [[ -e "$APT_LOG" ]] || ! grep -q 'left out: libclang-rt-dev' "$work/out"; then
    fail "a fuzzing runtime the release lacks: status $status, said: $(cat "$work/out")"
fi
FAKE_UID=0 INSTALLED="${all_but_runtime/cmake /}" UNKNOWN=libclang-rt-dev install packages.txt packages-test.txt
if ((status != 0)) || [[ "$(tail -n1 "$APT_LOG")" != "apt-get install -y --no-install-recommends cmake" ]]; then
    fail "one package missing beside an unknown one: status $status, ran: $(cat "$APT_LOG" 2>&1)"
fi

# A clang that builds nothing: the fuzzing says it cannot run, before building anything.
printf '#!/bin/sh\nexit 1\n' >"$bin/clang++"
chmod +x "$bin/clang++"
status=0
PATH=$bin:$PATH "$source_dir/scripts/fuzz.sh" 1 >"$work/out" 2>&1 || status=$?
((status == 77)) || fail "fuzz.sh without a fuzzing runtime: status $status, said: $(cat "$work/out")"

((failures == 0)) || exit 1
echo "set-up: lists versionless, no-root line given, missing runtime left out and fuzzing skipped"
