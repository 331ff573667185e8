#!/usr/bin/env bash
# Installs the build into a fresh prefix for the other installation tests.
#   install_into.sh CMAKE BUILD_DIR PREFIX
set -euo pipefail
cmake=$1 build=$2 prefix=$3
rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
