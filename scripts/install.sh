#!/bin/sh
# Installs what is missing, builds Vantelo and installs it with its desktop entry, icon, AppStream
# metainfo and help page under PREFIX (default ~/.local), so that it appears in the desktop's
# application menu.
#   install.sh [PREFIX]
set -eu
cd "$(dirname "$0")/.."
prefix="${1:-$HOME/.local}"
sh scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release
cmake --build build-release -j"$(nproc)" --target vantelo vantelo-radio-sim
cmake --install build-release --prefix "$prefix"
echo "Installed under $prefix: start it with $prefix/bin/vantelo or from the application menu."
