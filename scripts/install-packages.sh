#!/usr/bin/env bash
# Installs whatever the package lists name and the machine lacks. Quiet and quick when all is there.
#
#   scripts/install-packages.sh LIST...     lists relative to the source folder: packages.txt, packages-test.txt
#
# A line "NAME optional" names a package that not every Debian release has: it is installed where the
# release has it, and left out with a note where it has not.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
required=()
optional=()
for list in "$@"; do
  while read -r name flag _; do
    [[ -z "$name" || "$name" == \#* ]] && continue
    if [[ "${flag:-}" == optional ]]; then optional+=("$name"); else required+=("$name"); fi
  done <"$here/$list"
done

installed() { [[ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true)" == "install ok installed" ]]; }
# Whether the package lists hold a version of it to install.
available() { apt-cache policy "$1" 2>/dev/null | grep -q 'Candidate: [^(]'; }

missing=()
for pkg in "${required[@]}"; do installed "$pkg" || missing+=("$pkg"); done
missing_optional=()
for pkg in "${optional[@]}"; do installed "$pkg" || missing_optional+=("$pkg"); done
[[ ${#missing[@]} -eq 0 && ${#missing_optional[@]} -eq 0 ]] && exit 0

# The optional ones this release has, by the package lists as they are (or as just updated).
installable_optional() {
  wanted=()
  for pkg in "${missing_optional[@]}"; do
    if available "$pkg"; then
      wanted+=("$pkg")
    else
      echo "Not in this Debian release's packages, left out: $pkg"
    fi
  done
}

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  if command -v sudo >/dev/null; then
    sudo=(sudo)
  elif [[ ${#missing[@]} -eq 0 ]]; then
    echo "Left out (installing needs root, and there is no sudo): ${missing_optional[*]}"
    exit 0
  else
    installable_optional
    all=("${missing[@]}" "${wanted[@]}")
    echo "These packages are missing, and installing them needs root (there is no sudo). As root, run:" >&2
    echo "  apt-get update && apt-get install -y --no-install-recommends ${all[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
# Only what is needed is worth a refresh of the package lists.
[[ ${#missing[@]} -eq 0 ]] || "${sudo[@]}" apt-get update -qq
installable_optional
all=("${missing[@]}" "${wanted[@]}")
[[ ${#all[@]} -eq 0 ]] && exit 0
echo "Installing: ${all[*]}"
"${sudo[@]}" apt-get install -y --no-install-recommends "${all[@]}"
