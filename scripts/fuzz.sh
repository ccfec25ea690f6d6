#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each for SECONDS (default 600)
# over its corpus in tests/fuzz/corpus. New interesting inputs go to build-fuzz/corpus/<target>
# so the tree keeps only the seeds and the inputs that once failed; a failing input is saved as
# build-fuzz/crash-<target>-*. Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(channelfile memoryimage frequency installlog inifile paste)
fi
build_dir=${ZEV_FUZZ_BUILD_DIR:-build-fuzz}

if [ ! -f "$build_dir/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DZEV_FUZZ=ON
fi
cmake --build "$build_dir" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
status=0
for target in "${targets[@]}"; do
    found="$build_dir/corpus/$target"
    mkdir -p "$found"
    echo "== $target: ${seconds} s"
    if ! "$build_dir/bin/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build_dir/crash-$target-" "$found" "tests/fuzz/corpus/$target"; then
        echo "== $target FAILED: copy the crash file into tests/fuzz/corpus/$target once fixed"
        status=1
    fi
done
exit $status
