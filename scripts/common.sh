# Shared by scripts/run and scripts/test: install what is missing, configure, build.
# Sourced, not run.

RATEWISE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
RATEWISE_BUILD=${RATEWISE_BUILD:-$RATEWISE_ROOT/build}

# Debian 12 packages the build, the tests and the program need.
RATEWISE_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins
    libcli11-dev nlohmann-json3-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    fonts-liberation
)

ratewise_log() { printf 'ratewise: %s\n' "$*" >&2; }

ratewise_install_missing() {
    local missing=() pkg
    for pkg in "${RATEWISE_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            ratewise_log "missing packages: ${missing[*]}; run as root or install sudo"
            return 1
        fi
    fi
    ratewise_log "installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq || return 1
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || return 1
}

# Configure (once) and build into build/. Extra arguments go to cmake's configure step.
ratewise_build() {
    local generator=()
    command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
    if [ ! -f "$RATEWISE_BUILD/CMakeCache.txt" ]; then
        cmake -S "$RATEWISE_ROOT" -B "$RATEWISE_BUILD" "${generator[@]}" "$@" >/dev/null || return 1
    else
        cmake "$RATEWISE_BUILD" "$@" >/dev/null || return 1
    fi
    cmake --build "$RATEWISE_BUILD" --parallel "$(nproc 2>/dev/null || echo 2)"
}
