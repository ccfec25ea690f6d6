#!/usr/bin/env bash
# Installs what is missing, builds, and starts ZEV4800 with a simulated demo radio on COM1.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/common.sh
zev_install_missing
zev_build

bin=${ZEV_BUILD_DIR:-build}/bin
work=$(mktemp -d)
sim_pid=""
cleanup() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap "exit 130" INT TERM

# The demo radio: a simulated RH-4800 on a pseudo-terminal; its first line is the device path.
"$bin/rh4800-sim" --demo --image "$work/radio.img" >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
for _ in $(seq 50); do
    [ -s "$work/sim.out" ] && break
    sleep 0.1
done
device=$(head -n 1 "$work/sim.out")
if [ -z "$device" ]; then
    echo "The demo radio did not start: $(cat "$work/sim.err")" >&2
    exit 1
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "There is no graphical display here, so the window cannot open; run ./run.sh on a desktop, or under a virtual display with: xvfb-run ./run.sh"
    echo "Meanwhile, the demo radio on $device read with the command-line tool:"
    "$bin/zev4800-cli" read --port "$device" --output "$work/demo.z81"
    "$bin/zev4800-cli" show "$work/demo.z81"
    exit 0
fi

echo "Demo radio on $device (COM1)."
"$bin/zev4800" --port "1=$device" "$@"
