# Shared by run.sh and test.sh: install what is missing, then configure and build.

ZEV_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-qpa-plugins libgl-dev
    qt6-translations-l10n fonts-wqy-microhei xvfb xauth
    dpkg-dev desktop-file-utils appstream poppler-utils zsh fish
    qt6-wayland weston dbus-daemon at-spi2-core python3-pyatspi
)

zev_install_missing() {
    local missing=()
    for package in "${ZEV_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

zev_build() {
    local build_dir=${ZEV_BUILD_DIR:-build}
    if [ ! -f "$build_dir/build.ninja" ]; then
        cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    fi
    cmake --build "$build_dir"
}

# A second build with address and undefined-behaviour checks, beside the normal one.
zev_build_sanitized() {
    local build_dir=${ZEV_SANITIZE_BUILD_DIR:-build-asan}
    if [ ! -f "$build_dir/build.ninja" ]; then
        local launcher=()
        if command -v ccache >/dev/null; then
            launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        fi
        cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEV_SANITIZE=ON \
            "${launcher[@]}"
    fi
    cmake --build "$build_dir"
}
