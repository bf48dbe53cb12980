#!/bin/sh
# Builds the Debian package vantelo_<version>_<arch>.deb in build-package/ with CPack: the two
# programs (built as Release with Debian's hardening flags and stripped), the desktop entry, its
# icon, the AppStream metainfo, the help page, copyright and changelog. The Debian packages the
# programs need are found from the binaries (dpkg-shlibdeps). lintian then checks the package
# and the script fails on any error it reports. Install the result with
#   sudo apt install ./build-package/vantelo_<version>_<arch>.deb
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh package
dir=build-package
# Debian's compiler and linker flags for packages: fortified functions, stack protector,
# read-only relocations, immediate binding.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
# Only the programs are built: no tests, no benchmarks.
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DVANTELO_BENCH=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)" --target vantelo vantelo-radio-sim
rm -f "$dir"/vantelo_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/vantelo_*.deb)
echo "Built $deb"
lintian --fail-on error "$deb"
echo "lintian reports no errors. Install it with: sudo apt install ./$deb"
