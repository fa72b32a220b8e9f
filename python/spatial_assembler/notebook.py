"""Saving a GLB, and looking at one, or at a 3D Tiles tileset, in a Jupyter
notebook with three.js and 3d-tiles-renderer, which the package carries (three.js
is MIT-licensed, see _viewer/THREE_LICENSE; 3d-tiles-renderer Apache-2.0-licensed,
see _viewer/TILES_LICENSE), so that the view works offline."""

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
from typing import TYPE_CHECKING, overload

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


def _view_html(source: str, options: dict[str, object], height: int) -> str:
    """The HTML of a view: a <div>, the viewer (defined once per page) and its call on source (JavaScript)."""
    element = f"spatial-assembler-view-{os.getpid()}-{next(_VIEW_NUMBERS)}"
    # A closing tag must not end the script early.
    script = re.sub(r"</(script)", r"<\\/\1", _viewer_script(), flags=re.IGNORECASE)
    return (f'<div id="{element}" style="width: 100%; height: {height}px"></div>\n'
            f"<script>\nif (!window.SpatialAssemblerViewer) {{\n{script}\n"
            "window.SpatialAssemblerViewer = SpatialAssemblerViewer;\n}\n"
            f'SpatialAssemblerViewer.show(document.getElementById("{html.escape(element)}"), {source}, '
            f"{json.dumps(options)});\n</script>")


def _options(height: int, point_size: float, background: str) -> dict[str, object]:
    return {"height": height, "pointSize": point_size, "background": int(background.lstrip("#"), 16)}


class GlbView:
    """A GLB shown by a notebook: three.js in the output cell, orbit with the mouse;
    an animation (spatial_assembler.trajectory) plays with a button and a frame slider.

    The HTML carries the file (base64) and the viewer (about 800 kB), so it works
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
        data = base64.b64encode(self.glb).decode("ascii")
        return _view_html(f'"{data}"', _options(self.height, self.point_size, self.background), self.height)

    def __repr__(self) -> str:
        return f"<GlbView of a {len(self.glb):,}-byte GLB>"


TILESET_VIEW_LIMIT = 100_000_000
"""The most bytes of tileset files that a TilesetView embeds by default."""


class TilesetView:
    """A 3D Tiles tileset (such as spatial_assembler.tiles writes) shown by a
    notebook with 3d-tiles-renderer: tiles load as the camera comes closer.

    The HTML carries every file of the tileset's folder (base64, a third larger)
    and the viewer serves them to the renderer from memory, so the view works
    offline and in saved notebooks. A folder of more than max_bytes of files
    (TILESET_VIEW_LIMIT, 100 MB, by default) is refused with ValueError: make a
    smaller tileset, or serve the folder over HTTP and open it in a 3D Tiles
    viewer."""

    def __init__(self, path: str | os.PathLike[str], *, height: int = 480, point_size: float = 3.0,
                 background: str = "#0b1020", max_bytes: int = TILESET_VIEW_LIMIT):
        path = Path(path)
        entry = path if path.is_file() else path / "tileset.json"
        if entry.suffix != ".json" or not entry.is_file():
            raise ValueError(f"{path} is not a tileset: a folder with a tileset.json, or a tileset's .json file")
        self.folder = entry.parent
        self.entry = entry.name
        self.paths = sorted(p for p in self.folder.rglob("*") if p.is_file())
        total = sum(p.stat().st_size for p in self.paths)
        if total > max_bytes:
            raise ValueError(f"the tileset in {self.folder} holds {total:,} bytes of files, more than the "
                             f"{max_bytes:,} that a notebook view embeds (max_bytes): make a smaller tileset, or "
                             "serve the folder over HTTP and open it in a 3D Tiles viewer")
        self.bytes = total
        self.height = int(height)
        self.point_size = float(point_size)
        self.background = background

    def _repr_html_(self) -> str:
        files = {p.relative_to(self.folder).as_posix(): base64.b64encode(p.read_bytes()).decode("ascii")
                 for p in self.paths}
        source = json.dumps({"tileset": self.entry, "files": files}).replace("</", "<\\/")
        return _view_html(source, _options(self.height, self.point_size, self.background), self.height)

    def __repr__(self) -> str:
        return f"<TilesetView of {self.folder}: {len(self.paths):,} files, {self.bytes:,} bytes>"


@overload
def view(source: Buffer, *, height: int = 480, point_size: float = 3.0) -> GlbView: ...
@overload
def view(source: str | os.PathLike[str], *, height: int = 480, point_size: float = 3.0) -> GlbView | TilesetView: ...
def view(source: Buffer | str | os.PathLike[str], *, height: int = 480,
         point_size: float = 3.0) -> GlbView | TilesetView:
    """An object that a notebook shows as an interactive 3D view: of a GLB (its
    bytes, or the path of a .glb file), or of a 3D Tiles tileset (the path of
    its folder or of its tileset.json; at most TILESET_VIEW_LIMIT bytes of
    files, see TilesetView)."""
    if isinstance(source, (str, os.PathLike)):
        path = Path(source)
        if path.is_dir() or path.suffix == ".json":
            return TilesetView(path, height=height, point_size=point_size)
        source = path.read_bytes()
    return GlbView(source, height=height, point_size=point_size)
