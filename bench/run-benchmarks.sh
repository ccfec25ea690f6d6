#!/usr/bin/env bash
# Builds and runs the benchmarks; they print figures against their targets.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh
zev_install_missing
zev_build
bin=${ZEV_BUILD_DIR:-build}/bin
"$bin/startup_bench" "${STARTUP_RUNS:-7}"
"$bin/settings_bench"
if [ -x "$bin/radio_bench" ]; then
    "$bin/radio_bench"
    # SOAK_CYCLES=100 for a shorter soak.
    "$bin/soak_bench" "${SOAK_CYCLES:-1000}"
fi
