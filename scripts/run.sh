#!/bin/sh
# Installs what is missing, builds Vantelo and starts it. With no radio port set up yet
# (Communications > Properties...), it starts against the simulated radio.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release
cmake --build build-release -j"$(nproc)" --target vantelo vantelo-radio-sim
if port=$(sh scripts/stored-port.sh); then
    echo "Opening the stored radio port $port."
    exec ./build-release/src/ui/main/vantelo "$@"
fi
echo "No radio port is set up: starting against the simulated radio."
exec ./build-release/src/ui/main/vantelo --simulate "$@"
