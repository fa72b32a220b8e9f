"""The Python package's scenes for the manifest that tests/node/scenes.test.mjs
wrote: the reference the Node Scene's bytes must equal.
Usage: python scene_glbs.py manifest.json (writes each scene's GLB to its "out").

Each entry: {"encoding", "out", "parts": [{"kind", "positions", "faces"?, "options"}]}, arrays as
{"dtype", "values", "width"?} and options under the Python names."""

import json
import sys
from pathlib import Path

import numpy as np

import spatial_assembler as sa


def value(item):
    """{"dtype", "values", "width"} as a numpy array of rows of that width; anything else as it is."""
    if isinstance(item, dict) and "dtype" in item:
        array = np.array(item["values"], dtype=item["dtype"])
        return array.reshape(-1, item["width"]) if "width" in item else array
    return item


for entry in json.loads(Path(sys.argv[1]).read_text()):
    scene = sa.Scene()
    for part in entry["parts"]:
        options = {name: value(option) for name, option in part["options"].items()}
        if "texture" in options:
            options["texture"] = options["texture"].astype(np.uint8).tobytes()  # the image's bytes
        if "transform" in options:
            options["transform"] = np.reshape(options["transform"], (4, 4))  # Node's are flat, row by row
        positions = value(part["positions"])
        if part["kind"] == "points":
            scene.points(positions, options.pop("colors", None), **options)
        elif part["kind"] == "atoms":
            scene.atoms(positions, **options)
        elif part["kind"] == "mesh":
            scene.mesh(positions, value(part["faces"]), **options)
        else:
            scene.lines(positions, options.pop("segments", None), options.pop("colors", None), **options)
    Path(entry["out"]).write_bytes(scene.glb(encoding=entry["encoding"]))
