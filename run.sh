#!/usr/bin/env bash
# Installs what is missing, builds the program (optimised, with debug information,
# under build/run) and runs its main job: for now marlovan-cli writes the default
# settings file into a temporary folder, lists its packets and prints it as JSON.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

build=${MARLOVAN_RUN_BUILD_DIR:-build/run}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)" --target marlovan-cli

cli="$build/src/cli/marlovan-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$cli" defaults "$work/defaults.jxc"
echo "== marlovan-cli packets defaults.jxc ($(stat -c %s "$work/defaults.jxc") bytes)"
"$cli" packets "$work/defaults.jxc"
echo "== marlovan-cli decode defaults.jxc"
"$cli" decode "$work/defaults.jxc"
