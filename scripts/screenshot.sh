#!/usr/bin/env bash
# Re-makes docs/screenshot.png: the main window on a virtual display, with the demo plan open.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh
zev_install_missing
zev_build
bin=${ZEV_BUILD_DIR:-build}/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A program folder of its own, so the screenshot never depends on this build's settings.
cp "$bin/zev4800" "$bin"/*.qm "$bin/install.Log" "$work/"
mkdir -p docs
args=(--screenshot "$PWD/docs/screenshot.png")
if [ -f docs/demo.z81 ]; then
    args+=("$PWD/docs/demo.z81")
fi
xvfb-run -a -s "-screen 0 1280x1024x24" "$work/zev4800" "${args[@]}"
echo "docs/screenshot.png written"
