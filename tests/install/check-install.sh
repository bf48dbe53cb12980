#!/bin/sh
# Installs the build into a scratch prefix and checks what a desktop needs: both programs, the
# desktop entry, the icon it names, the AppStream metainfo and the help page. The desktop entry
# and the metainfo are validated when desktop-file-validate and appstreamcli are present.
#   check-install.sh BUILD_DIR PREFIX
set -eu
build="$1"
prefix="$2"
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

fail=0
need() {
    if [ ! -e "$prefix/$1" ]; then
        echo "missing: $1"
        fail=1
    fi
}
id=org.vantelo.Vantelo
desktop="share/applications/$id.desktop"
metainfo="share/metainfo/$id.metainfo.xml"
need bin/vantelo
need bin/vantelo-radio-sim
need "$desktop"
need "$metainfo"
need "share/icons/hicolor/scalable/apps/$id.svg"
need share/doc/vantelo/vantelo.html
[ "$fail" = 0 ] || exit 1

for program in vantelo vantelo-radio-sim; do
    [ -x "$prefix/bin/$program" ] || { echo "not executable: bin/$program"; exit 1; }
done
exec_line=$(sed -n 's/^Exec=//p' "$prefix/$desktop")
[ -x "$prefix/bin/${exec_line%% *}" ] || { echo "Exec=$exec_line names no installed program"; exit 1; }
icon=$(sed -n 's/^Icon=//p' "$prefix/$desktop")
[ "$icon" = "$id" ] || { echo "Icon=$icon is not the installed icon $id"; exit 1; }

if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$prefix/$desktop"
else
    echo "desktop-file-validate is not installed: desktop entry not validated"
fi
if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net "$prefix/$metainfo"
else
    echo "appstreamcli is not installed: metainfo not validated"
fi
echo "installation complete and valid"
