"""The installed type information, as mypy --strict and pyright --strict see it:
correct calls pass and each wrong call is flagged (tests/typing/), and the
package itself passes mypy --strict."""

import json
import os
import shutil
import subprocess
import sys
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parent.parent
CHECKED = sorted((ROOT / "tests" / "typing").glob("*.py"))

pytestmark = pytest.mark.source_tree


@pytest.fixture
def outside_the_source_tree(tmp_path):
    """Copies of the checked files in an empty folder: only what is installed can be found."""
    for path in CHECKED:
        shutil.copy(path, tmp_path / path.name)
    return tmp_path


def test_mypy_strict(outside_the_source_tree, missing_tool):
    if subprocess.run([sys.executable, "-m", "mypy", "--version"], capture_output=True).returncode:
        missing_tool("mypy is not installed")
    environment = {k: v for k, v in os.environ.items() if k not in ("PYTHONPATH", "MYPYPATH")}
    for target in (["-p", "spatial_assembler"], [path.name for path in CHECKED]):
        run = subprocess.run([sys.executable, "-m", "mypy", "--strict", "--warn-unused-ignores", "--no-incremental",
                              *target], cwd=outside_the_source_tree, capture_output=True, text=True, env=environment)
        assert run.returncode == 0, run.stdout + run.stderr


def test_pyright_strict(outside_the_source_tree, missing_tool):
    pyright = ROOT / "node_modules" / ".bin" / "pyright"
    if not pyright.exists():
        missing_tool("pyright (npm) is not installed")
    (outside_the_source_tree / "pyrightconfig.json").write_text(json.dumps({
        "typeCheckingMode": "strict", "reportUnnecessaryTypeIgnoreComment": "error", "pythonVersion": "3.13"}))
    run = subprocess.run([str(pyright), "--pythonpath", sys.executable, *[path.name for path in CHECKED]],
                         cwd=outside_the_source_tree, capture_output=True, text=True,
                         env={k: v for k, v in os.environ.items() if k not in ("PYTHONPATH", "LD_PRELOAD")})
    assert run.returncode == 0, run.stdout + run.stderr
