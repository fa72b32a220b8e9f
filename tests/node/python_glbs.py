"""The Python module's GLBs for the calls of a manifest that the Node tests wrote:
the reference the addon's bytes must equal. Usage: python python_glbs.py manifest.json"""

import json
import sys
from pathlib import Path

import _spatial_assembler as sa


def numbers(value):
    """JSON has no NaN or Infinity: the Node side marks them as "float:NaN" and so on."""
    if isinstance(value, str) and value.startswith("float:"):
        return float(value[6:])
    if isinstance(value, list):
        return [numbers(item) for item in value]
    return value


manifest = json.loads(Path(sys.argv[1]).read_text())
for call in manifest:
    arrays = {name: (None if path is None else Path(path).read_bytes()) for name, path in call["arrays"].items()}
    args = {name: numbers(value) for name, value in call["args"].items()}
    glb = getattr(sa, call["fn"])(**arrays, **args)
    Path(call["out"]).write_bytes(glb)
