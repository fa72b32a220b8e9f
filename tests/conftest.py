import json
import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "bench"))  # the numpy writers serve as independent references


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
def validator():
    # The README's test command insists on the validator; a wheel's test run on a
    # build machine without Node (cibuildwheel) skips what needs it.
    if os.environ.get("SPATIAL_ASSEMBLER_FULL_TEST") != "1" and (
            shutil.which("node") is None or not (ROOT / "node_modules" / "gltf-validator").is_dir()):
        pytest.skip("the glTF validator (Node and npm's gltf-validator) is not installed here")
    instance = GltfValidator()
    yield instance
    instance.close()


def pytest_report_header(config):
    import _spatial_assembler
    import spatial_assembler._core

    return f"_spatial_assembler from {_spatial_assembler.__file__}, spatial_assembler._core from {spatial_assembler._core.__file__}"


def pytest_sessionstart(session):
    # The sanitizer run must not silently test the plain module from site-packages.
    if os.environ.get("SPATIAL_ASSEMBLER_EXPECT_SANITIZED"):
        import _spatial_assembler
        import spatial_assembler._core

        for module in (_spatial_assembler, spatial_assembler._core):
            assert "module-asan" in module.__file__, module.__file__
