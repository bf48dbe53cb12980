#!/bin/sh
# Builds the Debian package of a build folder with CPack, unpacks it into a scratch root and
# checks it: every file the install rules install is there under /usr, the desktop entry
# validates and names an installed program and icon, and the control fields give the package's
# name, version, architecture and the Qt libraries it needs. Exits 77 (skipped) where cpack,
# dpkg-deb or dpkg-shlibdeps is missing.
#   check-package.sh BUILD_DIR SCRATCH_DIR
set -eu
build="$1"
scratch="$2"
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed: package not checked"; exit 77; }
done
rm -rf "$scratch"
mkdir -p "$scratch/pkg" "$scratch/root"
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
cpack -G DEB -B "$scratch/pkg" --config "$build/CPackConfig.cmake" >/dev/null 2>"$scratch/cpack.err" ||
    { cat "$scratch/cpack.err"; exit 1; }

arch=$(dpkg --print-architecture)
version=$(sed -n 's/^project(Vantelo VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
deb="$scratch/pkg/vantelo_${version}_${arch}.deb"
[ -f "$deb" ] || { echo "no package named $(basename "$deb"):"; ls "$scratch/pkg"; exit 1; }
dpkg-deb -x "$deb" "$scratch/root"

fail=0
# Every file the install rules put under the prefix is in the package under /usr.
count=0
for file in $(cd "$scratch/prefix" && find . -type f | sed 's|^\./||'); do
    count=$((count + 1))
    [ -e "$scratch/root/usr/$file" ] || { echo "missing from the package: usr/$file"; fail=1; }
done
[ "$count" -ge 8 ] || { echo "only $count files installed"; fail=1; }
for program in vantelo vantelo-radio-sim; do
    [ -x "$scratch/root/usr/bin/$program" ] || { echo "not executable: usr/bin/$program"; fail=1; }
done

id=org.vantelo.Vantelo
desktop="$scratch/root/usr/share/applications/$id.desktop"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$scratch/root/usr/bin/${exec_line%% *}" ] || { echo "Exec=$exec_line names no packaged program"; fail=1; }
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$scratch/root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
    { echo "Icon=$icon is not in the package"; fail=1; }
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$desktop" || fail=1
else
    echo "desktop-file-validate is not installed: desktop entry not validated"
fi

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vantelo ] || { echo "Package: $(field Package)"; fail=1; }
[ "$(field Version)" = "$version" ] || { echo "Version: $(field Version)"; fail=1; }
[ "$(field Architecture)" = "$arch" ] || { echo "Architecture: $(field Architecture)"; fail=1; }
for needed in libqt6core6 libqt6widgets6 libqt6serialport6 libqt6sql6-sqlite; do
    field Depends | grep -q "$needed" || { echo "Depends lacks $needed: $(field Depends)"; fail=1; }
done
[ "$fail" = 0 ] || exit 1
echo "package $(basename "$deb") holds all $count installed files and a valid desktop entry"
