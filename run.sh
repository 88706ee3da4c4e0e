#!/usr/bin/env bash
# Installs what is missing, builds the program (optimised, with debug information,
# under build/run) and runs it: marlovan-cli writes the default settings file into a
# temporary folder, lists its packets and prints it as JSON; then the window program
# starts against the simulated joystick. Without a display the window's six tabs are
# rendered to build/screenshots/ instead, and marlovan-cli sends and receives the
# settings through the simulated joystick.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

build=${MARLOVAN_RUN_BUILD_DIR:-build/run}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)" --target marlovan-cli marlovan-settings

cli="$build/src/cli/marlovan-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$cli" defaults "$work/defaults.jxc"
echo "== marlovan-cli packets defaults.jxc ($(stat -c %s "$work/defaults.jxc") bytes)"
"$cli" packets "$work/defaults.jxc"
echo "== marlovan-cli decode defaults.jxc"
"$cli" decode "$work/defaults.jxc"

gui="$build/src/ui/marlovan-settings"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "== marlovan-settings --simulate"
    "$gui" --simulate
else
    echo "== no display: marlovan-settings --simulate renders its tabs to build/screenshots/"
    "$gui" --simulate --screenshots build/screenshots
    echo "== marlovan-cli --simulate send defaults.jxc, then receive received.jxc"
    "$cli" --simulate send "$work/defaults.jxc"
    "$cli" --simulate receive "$work/received.jxc"
    cmp "$work/defaults.jxc" "$work/received.jxc" && echo "received.jxc equals defaults.jxc"
fi
