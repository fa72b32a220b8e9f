"""What the installed wheel carries besides the module (licence, type stubs),
and the release artefacts that scripts/artifacts makes: the wheel installed into
an empty environment, the source distribution with everything a build needs."""

import importlib.metadata
import subprocess
import sys
import tarfile
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parent.parent


@pytest.fixture(scope="module")
def distribution():
    return importlib.metadata.distribution("spatial-assembler")


def test_the_licence_text_is_shipped(distribution):
    assert distribution.metadata["License-Expression"] == "MIT"
    licence = [f for f in distribution.files if f.name == "LICENSE"]
    assert licence and "MIT License" in licence[0].read_text() and "WITHOUT WARRANTY" in licence[0].read_text()


def test_the_stub_packages_are_installed(distribution):
    stubs = {str(f) for f in distribution.files if str(f).endswith(".pyi")}
    assert "spatial_assembler/_core.pyi" in stubs
    if sys.version_info[:2] == (3, 13):  # the raw module's, with it
        assert "_spatial_assembler-stubs/__init__.pyi" in stubs


WHEEL_SMOKE = """
import numpy as np, spatial_assembler as sa, _spatial_assembler as native
glb = sa.atoms(np.random.default_rng(0).random((500, 3)), elements=["C", "O"] * 250)
assert sa.atoms(np.zeros((2, 3)) + [[0, 0, 0], [1, 1, 1]], elements=[6, 8], style="ball-and-stick", bonds=[[0, 1]],
                encoding="compact")[:4] == b"glTF"
assert glb[:4] == b"glTF" and sa.__version__ == "{version}"
assert "SpatialAssemblerViewer" in sa.view(glb)._repr_html_()
assert native.point_cloud_glb(b"", b"", [0, 0, 0], [0, 0, 0])[:4] == b"glTF"
print("ok")
"""


def artifact(kind, folder):
    """What scripts/artifacts makes, as the release workflow runs it: the path it prints last."""
    run = subprocess.run([str(ROOT / "scripts" / "artifacts"), kind, str(folder)], capture_output=True, text=True)
    assert run.returncode == 0, run.stdout + run.stderr
    return Path(run.stdout.strip().splitlines()[-1])


@pytest.mark.source_tree
def test_the_wheel_works_in_an_empty_environment(tmp_path, distribution):
    """The artefact users get: the wheel built from this tree, installed with its
    dependencies into a new virtual environment, imported from elsewhere."""
    wheel = artifact("wheel", tmp_path / "wheels")
    assert sys.platform != "linux" or "-manylinux_2_" in wheel.name, wheel.name  # installs on other Linuxes
    subprocess.run([sys.executable, "-m", "venv", str(tmp_path / "env")], check=True)
    python = tmp_path / "env" / ("Scripts/python.exe" if sys.platform == "win32" else "bin/python")
    subprocess.run([python, "-m", "pip", "install", "--quiet", "--disable-pip-version-check", str(wheel)], check=True)
    run = subprocess.run([python, "-c", WHEEL_SMOKE.replace("{version}", distribution.version)], cwd=tmp_path,
                         capture_output=True, text=True, env={"PATH": "/usr/bin:/bin"})
    assert run.stdout == "ok\n", run.stderr


@pytest.mark.source_tree
def test_the_source_distribution_builds_the_whole_package(tmp_path):
    names = tarfile.open(artifact("sdist", tmp_path)).getnames()
    top = names[0].split("/")[0]
    for needed in ("pyproject.toml", "CMakeLists.txt", "LICENSE", "README.md", "core/glb_assembler.h",
                   "python/package_module.cpp", "python/spatial_assembler/__init__.py",
                   "python/spatial_assembler/_viewer/viewer.js.gz", "python/_spatial_assembler-stubs/__init__.pyi"):
        assert f"{top}/{needed}" in names, needed
    assert not any("/node_modules/" in name or "/.venv/" in name for name in names)
