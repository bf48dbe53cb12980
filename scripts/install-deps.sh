#!/bin/sh
# Installs the Debian 12 packages Vantelo needs to build, run and test, skipping what is there.
#   install-deps.sh        build and run
#   install-deps.sh test      also what the tests use
#   install-deps.sh package   also what building the Debian package uses
set -eu
packages="cmake g++ make qt6-base-dev qt6-serialport-dev libqt6sql6-sqlite"
if [ "${1:-}" = test ]; then
    # rigctl, for the test that a standard client can drive the simulated radio; the desktop
    # entry and AppStream validators, for the installation test; lld, whose faster linking of
    # the many test programs keeps the two test builds short; dpkg-dev, whose dpkg-shlibdeps
    # finds the package's dependencies for the package test; clang and its runtime, for the
    # libFuzzer targets (scripts/fuzz.sh)
    packages="$packages libhamlib-utils desktop-file-utils appstream lld dpkg-dev clang-14 libclang-rt-14-dev"
fi
if [ "${1:-}" = package ]; then
    # dpkg-buildflags and dpkg-shlibdeps for the package, lintian to check it
    packages="$packages dpkg-dev lintian"
fi
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
