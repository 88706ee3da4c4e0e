#!/usr/bin/env bash
# The one test command: installs what is missing, builds a Debug build with
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

build=${MARLOVAN_TEST_BUILD_DIR:-build/test}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DMARLOVAN_SANITIZE=ON
cmake --build "$build" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
set +e
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 300
status=$?
exit $status
