#!/usr/bin/env bash
# Builds with -fsanitize=address,undefined and runs the whole suite there: undefined behaviour
# ends the process, leaks are reported at exit. Every process the tests start inherits the
# settings. Address and leak reports land in one folder, so one from a child process whose output
# a test keeps still fails the run and is printed here; GCC's undefined-behaviour runtime writes
# only to standard error, which the tests pass on (tests/support).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh
zev_install_missing
zev_build_sanitized

build_dir=${ZEV_SANITIZE_BUILD_DIR:-build-asan}
reports=$(realpath -m "$build_dir/sanitizer-reports")
rm -rf "$reports"
mkdir -p "$reports"

# A distinct exit code tells a sanitizer stop from the programs' own failures.
export ASAN_OPTIONS=detect_leaks=1:exitcode=86:log_path=$reports/asan
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:exitcode=86
export QT_QPA_PLATFORM=offscreen

status=0
ctest --test-dir "$build_dir" --output-on-failure --timeout 900 "$@" || status=$?

if compgen -G "$reports/*" >/dev/null; then
    for report in "$reports"/*; do
        echo "=== $report"
        cat "$report"
    done
    echo "Sanitizer reports above." >&2
    status=1
fi
exit $status
