# SPDX-License-Identifier: GPL-3.0-or-later
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
    clang libclang-rt-14-dev clang-format
    fonts-liberation fonts-dejavu-core ccache
    mkvtoolnix ffmpeg
    scdoc desktop-file-utils appstream groff-base zsh fish dpkg-dev file lintian
    libudfread-dev genisoimage lsdvd dvdauthor
    handbrake-cli libdvdread-dev ogmtools
)

# ccache keeps compiled objects between builds and between checkouts: paths are hashed relative to
# the checkout and without the working directory, so a second clone reuses the first one's work.
# Called before each configure, after the packages are in place.
ratewise_use_ccache() {
    command -v ccache >/dev/null 2>&1 || return 0
    export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$RATEWISE_ROOT}
    export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
    # Lets ccache cache the sources compiled with a precompiled header too.
    export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}
}

ratewise_log() { printf 'ratewise: %s\n' "$*" >&2; }

# Fails, naming the files, when a C++ source is not formatted as .clang-format says.
ratewise_check_format() {
    local files
    if git -C "$RATEWISE_ROOT" rev-parse --git-dir >/dev/null 2>&1; then
        files=$(git -C "$RATEWISE_ROOT" ls-files '*.cpp' '*.h')
    else
        files=$(cd "$RATEWISE_ROOT" && find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
    fi
    (cd "$RATEWISE_ROOT" && echo "$files" | xargs clang-format --dry-run --Werror)
}

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

# Configure DIR (once) and build it; arguments after DIR go to cmake's configure step. With
# RATEWISE_CONFIGURE_ENV (words such as CC=clang) set, the first configure runs under them.
ratewise_build_in() {
    local dir=$1
    shift
    ratewise_use_ccache
    local generator=()
    command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        # shellcheck disable=SC2086
        env ${RATEWISE_CONFIGURE_ENV:-} cmake -S "$RATEWISE_ROOT" -B "$dir" "${generator[@]}" "$@" >/dev/null ||
            return 1
    else
        cmake "$dir" "$@" >/dev/null || return 1
    fi
    cmake --build "$dir" --parallel "$(nproc 2>/dev/null || echo 2)"
}

# Configure (once) and build into build/. Extra arguments go to cmake's configure step.
ratewise_build() {
    ratewise_build_in "$RATEWISE_BUILD" "$@"
}

# The sanitizer and fuzz build: clang, core and command line only (no Qt), in its own directory so
# the normal build keeps its compiler and flags.
RATEWISE_FUZZ_BUILD=${RATEWISE_FUZZ_BUILD:-$RATEWISE_ROOT/build-fuzz}

# Configure (once) and build DIR with clang. Extra arguments go to cmake's configure step.
ratewise_build_clang() {
    local dir=$1
    shift
    RATEWISE_CONFIGURE_ENV="CC=clang CXX=clang++" ratewise_build_in "$dir" \
        -DRATEWISE_BUILD_UI=OFF -DRATEWISE_BUILD_BENCH=OFF "$@"
}

# The fuzz targets (build-fuzz/fuzz/ratewise_fuzz_NAME), each with its input size limit. The
# title-set targets take the largest real title set whole: libFuzzer cuts longer seeds to the
# limit, and a cut set loses its time map and cell tables, which lie after the first sectors. The
# plan targets take a 4 KiB name with the rest of a plan.
RATEWISE_FUZZ_TARGETS=(ifo chapters load_path explorer calc calc_cli disc plan plan_cli encoder_output)
ratewise_fuzz_max_len() {
    case $1 in
    calc | calc_cli) echo 256 ;;
    plan | plan_cli) echo 4608 ;;
    encoder_output) echo 4096 ;;
    *)
        local largest
        largest=$(stat -c %s "$RATEWISE_ROOT"/tests/fixtures/ifo/*/*.IFO | sort -n | tail -1)
        echo $((largest > 8192 ? largest : 8192))
        ;;
    esac
}

# Fills DIR with the seeds of fuzz target NAME: the committed seeds in fuzz/seeds/NAME and, for
# the title-set targets, the real title sets and the generated hostile corpus (which takes in
# the inputs kept from long runs, tests/fixtures/fuzzed).
ratewise_fuzz_seeds() {
    local name=$1 dir=$2
    mkdir -p "$dir"
    [ -d "$RATEWISE_ROOT/fuzz/seeds/$name" ] && cp -n "$RATEWISE_ROOT/fuzz/seeds/$name"/* "$dir"/
    if [ "$name" = ifo ] || [ "$name" = chapters ] || [ "$name" = load_path ] || [ "$name" = explorer ]; then
        local set
        for set in "$RATEWISE_ROOT"/tests/fixtures/ifo/*/; do
            cp -n "$set/VTS_01_0.IFO" "$dir/$(basename "$set")-VTS_01_0.IFO"
            cp -n "$set/VIDEO_TS.IFO" "$dir/$(basename "$set")-VIDEO_TS.IFO"
        done
        "$RATEWISE_FUZZ_BUILD/fuzz/ratewise_hostile_corpus" "$dir" >/dev/null
    fi
}

# Runs fuzz target NAME on CORPUS for SECONDS (0: until -runs or a find). Extra arguments go to
# libFuzzer. New inputs collect in CORPUS; a crash leaves crash-* in build-fuzz/artifacts.
# RATEWISE_FUZZ_NICE=N runs it at that niceness.
ratewise_fuzz_run() {
    local name=$1 corpus=$2 seconds=$3
    shift 3
    local nice=()
    [ -n "${RATEWISE_FUZZ_NICE:-}" ] && nice=(nice -n "$RATEWISE_FUZZ_NICE")
    mkdir -p "$RATEWISE_FUZZ_BUILD/artifacts"
    "${nice[@]}" "$RATEWISE_FUZZ_BUILD/fuzz/ratewise_fuzz_$name" -max_len="$(ratewise_fuzz_max_len "$name")" \
        -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$RATEWISE_FUZZ_BUILD/artifacts/$name-" "$@" "$corpus"
}
