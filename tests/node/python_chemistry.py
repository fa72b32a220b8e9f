"""The Python package's bonds and colours for the calls of a JSON file that the
Node tests wrote: the reference that the Node functions' results must equal.
Usage: python python_chemistry.py calls.json results.json"""

import json
import sys
from pathlib import Path

import numpy as np

import spatial_assembler as sa


def result(call):
    if call["function"] == "bonds":
        options = {name: value for name, value in call["options"].items() if value is not None}
        if "cell" in options and np.size(options["cell"]) == 9:  # three lattice vectors, perhaps flat
            options["cell"] = np.reshape(options["cell"], (3, 3))
        found = sa.bonds(np.array(call["positions"]).reshape(-1, 3), call["elements"], **options)
        pairs, shifts = found if isinstance(found, tuple) else (found, None)
        return {"pairs": pairs.ravel().tolist(), "shifts": None if shifts is None else shifts.ravel().tolist()}
    colors = sa.map_values(np.array(call["values"]), call["colormap"], vmin=call["vmin"], vmax=call["vmax"])
    return {"colors": colors.ravel().tolist()}


calls = json.loads(Path(sys.argv[1]).read_text())
answers = {"results": [result(call) for call in calls], "element_colors": sa.elements.COLORS.ravel().tolist(),
           "colormaps": {name: sa.colormap(name).ravel().tolist() for name in sa.colormaps.NAMES}}
Path(sys.argv[2]).write_text(json.dumps(answers))
