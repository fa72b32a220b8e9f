"""trimesh and pygltflib on the files of scripts/consumers/run."""

import json
import sys
import warnings
from pathlib import Path

import numpy as np
import pygltflib
import trimesh

folder = Path(sys.argv[1])
originals = {kind: np.array(rows) for kind, rows in json.loads((folder / "originals.json").read_text()).items()}


def error(world, original):
    """The largest error per axis of the sorted coordinates (atoms are reordered), over the axis' extent."""
    if len(world) != len(original):
        return f"{len(world)} positions of {len(original)}"
    worst = np.abs(np.sort(world, 0) - np.sort(original, 0)).max(0) / np.ptp(original, axis=0)
    return " ".join(f"{e:.1e}" for e in worst)


for encoding in ("float32", "compact"):
    for kind in ("points", "atoms", "mesh", "lines", "spheres"):
        path = folder / f"{encoding}_{kind}.glb"
        with warnings.catch_warnings():
            warnings.simplefilter("ignore")
            try:
                scene = trimesh.load(path, force="scene")
                placed = [trimesh.transform_points(np.asarray(scene.geometry[name].vertices, np.float64), transform)
                          for transform, name in (scene.graph[node] for node in scene.graph.nodes_geometry)]
                text = (f"{len(placed)} spheres drawn of 300" if kind == "spheres"
                        else error(np.concatenate(placed), originals[kind]) if placed else "nothing drawn")
            except Exception as failure:  # a reader's own refusal is a result here
                text = f"fails: {type(failure).__name__}: {failure}"
        print(f"{encoding:8} {kind:8} trimesh {trimesh.__version__:14} {text}")
        document = pygltflib.GLTF2().load(str(path))
        accessor = document.accessors[document.meshes[0].primitives[0].attributes.POSITION]
        print(f"{encoding:8} {kind:8} pygltflib {pygltflib.__version__:12} parses: POSITION componentType "
              f"{accessor.componentType}, normalized {accessor.normalized} (decoding is the program's)")
