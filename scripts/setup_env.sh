# Sourced by the demo, test and bench commands: finds a CPython 3.13 that really
# runs, makes the virtual environment .venv with the module built and installed,
# installs the Node packages of package-lock.json and builds the Node addon into
# build/Release. Safe to run again: it only redoes what is missing or stale.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VENV="$ROOT/.venv"
PY="$VENV/bin/python"
cd "$ROOT"

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
    echo "error: no working CPython 3.13 found (neither python3.13 nor a pyenv 3.13.x)" >&2
    return 1
}

if [ ! -x "$PY" ] || ! is_python_313 "$PY"; then
    BASE_PYTHON="$(find_python_313)"
    echo "== creating .venv with $BASE_PYTHON"
    rm -rf "$VENV"
    "$BASE_PYTHON" -m venv "$VENV"
fi

echo "== building and installing the module into .venv"
"$PY" -m pip install --quiet --disable-pip-version-check "scikit-build-core>=0.10" "pybind11>=3"
# No build isolation: the build folder survives between runs and rebuilds incrementally.
"$PY" -m pip install --quiet --disable-pip-version-check --no-build-isolation \
    -C build-dir=build/wheel ".[${SETUP_EXTRAS:-test}]"

if [ ! -f node_modules/.package-lock.json ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    echo "== installing Node packages (addon build tools; validator, three.js, Playwright, TypeScript for the tests)"
    # Without scripts: the package's own install step (a cmake-js build) is replaced below.
    npm ci --ignore-scripts --no-audit --no-fund --loglevel=error
fi

echo "== building the Node addon into build/Release"
cmake -S . -B build/node -G Ninja -DCMAKE_BUILD_TYPE=Release -DSPATIAL_ASSEMBLER_NODE_ADDON=ON >/dev/null
cmake --build build/node >/dev/null
