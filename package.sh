#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package build/zev4800_VERSION_ARCH.deb.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/common.sh
zev_install_missing
zev_build
build_dir=${ZEV_BUILD_DIR:-build}
(cd "$build_dir" && cpack -G DEB)
ls "$build_dir"/zev4800_*.deb
