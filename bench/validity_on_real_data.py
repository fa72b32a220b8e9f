"""How many GLBs of real float data the Khronos validator accepts: random float32
positions (normal distribution) at several scales, with bounds that are the
data's exact extremes, through all three functions.

Run: .venv/bin/python bench/validity_on_real_data.py [files per scale and function]
(after the README's set-up, which installs the validator). Put another build of
_spatial_assembler first on PYTHONPATH to compare two builds.
"""

import json
import subprocess
import sys
import tempfile
from pathlib import Path

import numpy as np

import timing  # noqa: F401 (first: makes the tests' references importable)
import _spatial_assembler as sa
from real_data import random_files

ROOT = Path(__file__).resolve().parent.parent
SCALES = (1.0, 1e-9, 1e3)


def main(count):
    rng = np.random.default_rng(2026)
    folder = Path(tempfile.mkdtemp(prefix="validity-"))
    paths, labels = [], []
    for scale in SCALES:
        for function, glb in random_files(rng, scale, count):
            path = folder / f"{len(paths)}.glb"
            path.write_bytes(glb)
            paths.append(str(path))
            labels.append((scale, function))
    run = subprocess.run(["node", str(ROOT / "scripts" / "validate_glb.mjs"), *paths], capture_output=True,
                         text=True, cwd=ROOT)
    reports = [json.loads(line) for line in run.stdout.splitlines()]
    print(f"_spatial_assembler from {sa.__file__}")
    print(f"{'scale':>6}  {'function':<16} {'valid':>7}  codes of the invalid files")
    for scale in SCALES:
        for function in ("point_cloud_glb", "atom_glb", "mesh_glb"):
            mine = [r for r, label in zip(reports, labels) if label == (scale, function)]
            bad = [r for r in mine if r["errors"] or r["warnings"]]
            codes = sorted({m["code"] for r in bad for m in r["messages"] if m["severity"] <= 1})
            print(f"{scale:>6g}  {function:<16} {len(mine) - len(bad):>3}/{len(mine):<3}  {', '.join(codes)}")
    failed = sum(1 for r in reports if r["errors"] or r["warnings"])
    print(f"all: {len(reports) - failed} of {len(reports)} files valid")


if __name__ == "__main__":
    main(int(sys.argv[1]) if len(sys.argv) > 1 else 20)
