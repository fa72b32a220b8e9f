"""Saving a GLB, and looking at one in a Jupyter notebook with three.js, which
the package carries (three.js is MIT-licensed, see _viewer/THREE_LICENSE), so
that the view works offline."""

from __future__ import annotations

import base64
import gzip
import html
import itertools
import json
import os
import re
from functools import cache
from importlib.resources import files
from pathlib import Path
from typing import TYPE_CHECKING

_VIEW_NUMBERS = itertools.count()

if TYPE_CHECKING:  # Python 3.12's name for the buffer protocol; annotations are never evaluated
    from collections.abc import Buffer


def save(path: str | os.PathLike[str], glb: Buffer) -> Path:
    """Writes the GLB (bytes, or the memoryview that out= gave) to path (".glb"
    is the usual ending) and returns the path."""
    target = Path(path)
    target.write_bytes(glb)
    return target


@cache
def _viewer_script() -> str:
    return gzip.decompress((files(__package__) / "_viewer" / "viewer.js.gz").read_bytes()).decode("utf-8")


class GlbView:
    """A GLB shown by a notebook: three.js in the output cell, orbit with the mouse.

    The HTML carries the file (base64) and the viewer (about 650 kB), so it works
    offline and in saved notebooks; very large files make large notebooks."""

    def __init__(self, glb: Buffer, *, height: int = 480, point_size: float = 3.0, background: str = "#0b1020"):
        if not isinstance(glb, (bytes, bytearray, memoryview)) or bytes(memoryview(glb)[:4]) != b"glTF":
            raise ValueError("GlbView needs the bytes of a GLB (they begin with b'glTF')")
        self.glb = bytes(glb)
        self.height = int(height)
        self.point_size = float(point_size)
        self.background = background

    def save(self, path: str | os.PathLike[str]) -> Path:
        return save(path, self.glb)

    def _repr_html_(self) -> str:
        element = f"spatial-assembler-view-{os.getpid()}-{next(_VIEW_NUMBERS)}"
        options = json.dumps({"height": self.height, "pointSize": self.point_size,
                              "background": int(self.background.lstrip("#"), 16)})
        data = base64.b64encode(self.glb).decode("ascii")
        # The viewer defines itself once per page; a closing tag must not end the script early.
        script = re.sub(r"</(script)", r"<\\/\1", _viewer_script(), flags=re.IGNORECASE)
        return (f'<div id="{element}" style="width: 100%; height: {self.height}px"></div>\n'
                f"<script>\nif (!window.SpatialAssemblerViewer) {{\n{script}\n"
                "window.SpatialAssemblerViewer = SpatialAssemblerViewer;\n}\n"
                f'SpatialAssemblerViewer.show(document.getElementById("{html.escape(element)}"), "{data}", {options});\n'
                "</script>")

    def __repr__(self) -> str:
        return f"<GlbView of a {len(self.glb):,}-byte GLB>"


def view(glb: Buffer, *, height: int = 480, point_size: float = 3.0) -> GlbView:
    """An object that a notebook shows as an interactive 3D view of the GLB."""
    return GlbView(glb, height=height, point_size=point_size)
