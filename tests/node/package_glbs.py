"""The Python package's GLBs for the calls of a JSON manifest that the Node tests
wrote: the reference the checked Node functions' bytes must equal.
Usage: python package_glbs.py manifest.json (writes each call's GLB to its "out")."""

import json
import sys
from pathlib import Path

import numpy as np

import spatial_assembler as sa


def value(item):
    """{"dtype", "values", "width"} as a numpy array of rows of that width (64-bit integers come as
    decimal strings); anything else as it is."""
    if isinstance(item, dict) and "dtype" in item:
        array = np.array([int(v) if isinstance(v, str) else v for v in item["values"]], dtype=item["dtype"])
        return array.reshape(-1, item["width"]) if "width" in item else array
    return item


for call in json.loads(Path(sys.argv[1]).read_text()):
    options = {name: value(option) for name, option in call.get("options", {}).items()}
    if call["function"] == "points":
        glb = sa.point_cloud(value(call["positions"]), options.pop("colors", None), **options)
    elif call["function"] == "atoms":
        glb = sa.atoms(value(call["positions"]), **options)
    else:
        glb = sa.mesh(value(call["positions"]), value(call["faces"]), **options)
    Path(call["out"]).write_bytes(glb)
