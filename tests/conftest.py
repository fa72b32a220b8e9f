import importlib.util
import json
import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "references"))  # independent readers and writers to compare with
sys.path.insert(1, str(ROOT / "examples"))  # the demo and its scenes

# The raw module _spatial_assembler is built for CPython 3.13 only: on the other
# versions the package's wheels support, its own suites are not collected.
NATIVE = importlib.util.find_spec("_spatial_assembler") is not None
collect_ignore = [] if NATIVE else ["test_atoms.py", "test_demo.py", "test_mesh.py", "test_module.py",
                                     "test_point_cloud.py", "test_real_data.py"]


def pytest_addoption(parser):
    group = parser.getgroup("spatial-assembler")
    group.addoption("--require-tools", action="store_true",
                    help="fail instead of skipping when a tool of the suite is missing (Node's validator, pyright, "
                         "Chromium, the Node addon, the de_DE locale sources): the README's test command sets it")
    group.addoption("--sanitized", action="store_true",
                    help="the modules under test are the -fsanitize=address,undefined builds on PYTHONPATH: check "
                         "that they are, and skip the tests that limit the address space")
    group.addoption("--chromium", default="/usr/bin/chromium", help="the Chromium of the browser tests")
    group.addoption("--screenshots", default=None, help="a folder for the browser tests' screenshots")


def _missing_tool(config, reason):
    """Skips the test, or fails it when the run must have every tool."""
    if config.getoption("--require-tools"):
        pytest.fail(f"{reason}: run the README's test command, which installs it", pytrace=False)
    pytest.skip(reason)


@pytest.fixture
def missing_tool(request):
    """missing_tool(reason): skips the test, or fails it under --require-tools."""
    return lambda reason: _missing_tool(request.config, reason)


@pytest.fixture(scope="session")
def chromium(request):
    path = request.config.getoption("--chromium")
    if not Path(path).exists():
        _missing_tool(request.config, f"no Chromium at {path} (Debian's chromium package)")
    return path


@pytest.fixture(scope="session")
def screenshots(request):
    folder = request.config.getoption("--screenshots")
    return [folder] if folder else []


@pytest.fixture(scope="session")
def check_pages(chromium, screenshots):
    """Runs tests/browser/check_viewer.mjs on a folder of pages and GLBs with its
    expectations.json; returns the report of each file, by name."""

    def check(folder):
        run = subprocess.run(
            [shutil.which("node") or "node", str(ROOT / "tests" / "browser" / "check_viewer.mjs"), str(folder),
             str(folder / "expectations.json"), chromium, *screenshots],
            capture_output=True, text=True, cwd=ROOT, timeout=900,
            env={k: v for k, v in os.environ.items() if k != "LD_PRELOAD"})
        assert run.returncode == 0, run.stderr
        return {report["file"]: report for report in map(json.loads, run.stdout.splitlines())}

    return check


@pytest.fixture
def unsanitized(request):
    if request.config.getoption("--sanitized"):
        pytest.skip("address-space limits are meaningless beside the sanitizer's shadow memory")


class GltfValidator:
    """The Khronos glTF validator in one Node process for the whole session."""

    def __init__(self):
        node = shutil.which("node")
        script = ROOT / "scripts" / "validate_glb.mjs"
        if node is None or not (ROOT / "node_modules" / "gltf-validator").is_dir():
            raise RuntimeError("the glTF validator is missing: run the README's test command, which installs it")
        env = {k: v for k, v in os.environ.items() if k != "LD_PRELOAD"}  # no sanitizer runtime in Node
        self._process = subprocess.Popen(
            [node, str(script), "--serve"], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, env=env, cwd=ROOT
        )
        self._directory = Path(tempfile.mkdtemp(prefix="glb-validation-"))
        self._count = 0

    def report(self, glb: bytes) -> dict:
        self._count += 1
        path = self._directory / f"{self._count}.glb"
        path.write_bytes(glb)
        self._process.stdin.write(f"{path}\n")
        self._process.stdin.flush()
        line = self._process.stdout.readline()
        path.unlink()
        if not line:
            raise RuntimeError("the glTF validator process ended unexpectedly")
        return json.loads(line)

    def assert_valid(self, *glbs: bytes):
        """No error and no warning (infos and hints are allowed)."""
        for glb in glbs:
            report = self.report(glb)
            assert report["errors"] == 0 and report["warnings"] == 0, report["messages"]

    def close(self):
        self._process.stdin.close()
        self._process.wait(timeout=30)
        self._process.stdout.close()
        shutil.rmtree(self._directory, ignore_errors=True)


@pytest.fixture(scope="session")
def validator(request):
    # A wheel's test run on a build machine without Node (cibuildwheel) skips what needs it.
    if shutil.which("node") is None or not (ROOT / "node_modules" / "gltf-validator").is_dir():
        _missing_tool(request.config, "the glTF validator (Node and npm's gltf-validator) is not installed here")
    instance = GltfValidator()
    yield instance
    instance.close()


def pytest_report_header(config):
    import spatial_assembler._core

    native = __import__("_spatial_assembler").__file__ if NATIVE else "(none: CPython 3.13's alone)"
    return f"_spatial_assembler from {native}, spatial_assembler._core from {spatial_assembler._core.__file__}"


def pytest_sessionstart(session):
    # The sanitizer run must not silently test the plain module from site-packages.
    if session.config.getoption("--sanitized"):
        import _spatial_assembler
        import spatial_assembler._core

        for module in (_spatial_assembler, spatial_assembler._core):
            assert b"__asan_init" in Path(module.__file__).read_bytes(), f"{module.__file__} is not instrumented"
