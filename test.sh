#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole suite headless.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/common.sh
zev_install_missing
zev_build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${ZEV_BUILD_DIR:-build}" --output-on-failure --timeout 600 "$@"
