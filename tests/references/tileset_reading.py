"""An independent reader of 3D Tiles 1.1 point tilesets with implicit octree
tiling, for the tests: walks subtree files and their availability, decodes
every tile (GLB parsed with struct and json, EXT_meshopt_compression with
meshoptimizer's decoder, KHR_mesh_quantization by the node's transform) and
returns every point in the tileset's coordinates. It asserts the structure as
it reads: availability consistent, every file there that availability names,
and no other."""

from __future__ import annotations

import json
import struct
from dataclasses import dataclass, field
from pathlib import Path

import numpy as np

COMPONENTS = {5120: np.int8, 5121: np.uint8, 5122: np.int16, 5123: np.uint16, 5125: np.uint32, 5126: np.float32}
WIDTH = {"SCALAR": 1, "VEC2": 2, "VEC3": 3, "VEC4": 4}


@dataclass
class Tile:
    level: int
    xyz: tuple[int, int, int]
    path: Path
    box_low: np.ndarray          # in the tileset's local frame (before the root transform)
    side: float
    quantized: np.ndarray        # (n, 3) uint16 as stored (glTF axes)
    scale: np.ndarray
    local: np.ndarray            # (n, 3) float64, tileset local frame (z up)
    colors: np.ndarray | None
    attributes: dict[str, np.ndarray] = field(default_factory=dict)
    document: dict = field(default_factory=dict)


def _bits(data: bytes, count: int) -> np.ndarray:
    return np.unpackbits(np.frombuffer(data, np.uint8), bitorder="little")[:count].astype(bool)


def read_subtree(path: Path, levels: int) -> tuple[np.ndarray, np.ndarray, np.ndarray]:
    raw = path.read_bytes()
    magic, version, json_length, binary_length = struct.unpack_from("<4sIQQ", raw)
    assert magic == b"subt" and version == 1
    assert json_length % 8 == 0 and 24 + json_length + binary_length == len(raw)
    document = json.loads(raw[24:24 + json_length])
    binary = raw[24 + json_length:]
    tile_count = sum(8 ** level for level in range(levels))

    def availability(entry: dict, count: int) -> np.ndarray:
        if "constant" in entry:
            return np.full(count, bool(entry["constant"]))
        view = document["bufferViews"][entry["bitstream"]]
        assert view["byteOffset"] % 8 == 0
        bits = _bits(binary[view["byteOffset"]:view["byteOffset"] + view["byteLength"]], count)
        assert bits.sum() == entry.get("availableCount", bits.sum())
        return bits

    tiles = availability(document["tileAvailability"], tile_count)
    contents = availability(document["contentAvailability"][0], tile_count)
    children = availability(document["childSubtreeAvailability"], 8 ** levels)
    return tiles, contents, children


def _morton(index: int, level: int) -> tuple[int, int, int]:
    xyz = [0, 0, 0]
    for bit in range(level):
        for axis in range(3):
            xyz[axis] |= ((index >> (3 * bit + axis)) & 1) << bit
    return xyz[0], xyz[1], xyz[2]


def _template(uri: str, level: int, xyz: tuple[int, int, int]) -> str:
    return uri.replace("{level}", str(level)).replace("{x}", str(xyz[0])).replace("{y}", str(xyz[1])) \
        .replace("{z}", str(xyz[2]))


def parse_glb(raw: bytes) -> tuple[dict, bytes]:
    magic, version, length = struct.unpack_from("<4sII", raw)
    assert magic == b"glTF" and version == 2 and length == len(raw)
    json_length, json_type = struct.unpack_from("<I4s", raw, 12)
    assert json_type == b"JSON"
    document = json.loads(raw[20:20 + json_length])
    bin_length, bin_type = struct.unpack_from("<I4s", raw, 20 + json_length)
    assert bin_type == b"BIN\0"
    return document, raw[28 + json_length:28 + json_length + bin_length]


def accessor_values(document: dict, binary: bytes, index: int) -> np.ndarray:
    import meshoptimizer

    accessor = document["accessors"][index]
    view = document["bufferViews"][accessor["bufferView"]]
    dtype = np.dtype(COMPONENTS[accessor["componentType"]])
    width = WIDTH[accessor["type"]]
    count = accessor["count"]
    stride = view.get("byteStride", dtype.itemsize * width)
    compressed = view.get("extensions", {}).get("EXT_meshopt_compression")
    if compressed is not None:
        assert compressed["mode"] == "ATTRIBUTES" and compressed["byteStride"] == stride
        block = binary[compressed["byteOffset"]:compressed["byteOffset"] + compressed["byteLength"]]
        data = meshoptimizer.decode_vertex_buffer(compressed["count"], stride, block).tobytes()
        base = accessor.get("byteOffset", 0)
    else:
        assert view["buffer"] == 0
        data = binary[view["byteOffset"]:view["byteOffset"] + view["byteLength"]]
        base = accessor.get("byteOffset", 0)
    rows = np.frombuffer(data, np.uint8, count * stride, base).reshape(count, stride)
    return rows[:, :dtype.itemsize * width].copy().view(dtype).reshape(count, width)


def read_tile(path: Path, level: int, xyz: tuple[int, int, int], root_half: float) -> Tile:
    document, binary = parse_glb(path.read_bytes())
    node = document["nodes"][document["scenes"][0]["nodes"][0]]
    primitive = document["meshes"][node["mesh"]]["primitives"][0]
    assert primitive["mode"] == 0
    translation = np.array(node["translation"], np.float64)
    scale = np.array(node["scale"], np.float64)
    q = accessor_values(document, binary, primitive["attributes"]["POSITION"])
    gltf = translation + scale * (q.astype(np.float64) / 65535)
    local = np.column_stack([gltf[:, 0], -gltf[:, 2], gltf[:, 1]])  # y up to z up
    side = 2 * root_half / 2 ** level
    low = -root_half + np.array(xyz, np.float64) * side
    colors = None
    if "COLOR_0" in primitive["attributes"]:
        colors = accessor_values(document, binary, primitive["attributes"]["COLOR_0"])
    attributes = {}
    metadata = document.get("extensions", {}).get("EXT_structural_metadata")
    if metadata is not None:
        classes = metadata["schema"]["classes"]
        attribute = metadata["propertyAttributes"][primitive["extensions"]["EXT_structural_metadata"]
                                                   ["propertyAttributes"][0]]
        for name, entry in attribute["properties"].items():
            raw = accessor_values(document, binary, primitive["attributes"][entry["attribute"]])[:, 0]
            offset = classes[attribute["class"]]["properties"][name].get("offset")
            attributes[name] = raw.astype(np.float64) + offset if offset is not None else raw
    return Tile(level, xyz, path, low, side, q, scale, local, colors, attributes, document)


def read_tileset(folder: Path) -> tuple[dict, list[Tile]]:
    """The tileset's JSON and every tile, with availability checked against the files."""
    folder = Path(folder)
    tileset = json.loads((folder / "tileset.json").read_text())
    root = tileset["root"]
    implicit = root["implicitTiling"]
    assert tileset["asset"]["version"] == "1.1" and root["refine"] == "ADD"
    assert implicit["subdivisionScheme"] == "OCTREE"
    levels, available_levels = implicit["subtreeLevels"], implicit["availableLevels"]
    box = root["boundingVolume"]["box"]
    half = box[3]
    assert box[:3] == [0, 0, 0] and box[3] == box[7] == box[11]
    tiles: list[Tile] = []
    seen_files = set()
    available = set()

    def walk(level: int, index: int) -> None:
        path = folder / _template(implicit["subtrees"]["uri"], level, _morton(index, level))
        seen_files.add(path)
        tile_bits, content_bits, child_bits = read_subtree(path, levels)
        assert np.array_equal(tile_bits, content_bits)  # every available tile has points
        bit = 0
        for depth in range(levels):
            for local in range(8 ** depth):
                if tile_bits[bit]:
                    global_level = level + depth
                    global_index = (index << (3 * depth)) + local
                    assert global_level < available_levels
                    # A tile implies its parent.
                    assert global_level == 0 or (global_level - 1, global_index >> 3) in available
                    available.add((global_level, global_index))
                    xyz = _morton(global_index, global_level)
                    tile_path = folder / _template(root["content"]["uri"], global_level, xyz)
                    seen_files.add(tile_path)
                    tiles.append(read_tile(tile_path, global_level, xyz, half))
                bit += 1
        for local in np.flatnonzero(child_bits):
            child_level, child_index = level + levels, (index << (3 * levels)) + int(local)
            assert (child_level - 1, child_index >> 3) in available
            walk(child_level, child_index)

    walk(0, 0)
    on_disk = {p for p in folder.rglob("*") if p.is_file() and p.name != "tileset.json"}
    assert on_disk == seen_files, sorted(on_disk ^ seen_files)[:5]
    assert max(t.level for t in tiles) == available_levels - 1
    return tileset, tiles


def world_points(tileset: dict, local: np.ndarray) -> np.ndarray:
    """Local (z-up) coordinates through the root transform."""
    matrix = np.array(tileset["root"].get("transform", np.eye(4).ravel().tolist()), np.float64).reshape(4, 4).T
    return local @ matrix[:3, :3].T + matrix[:3, 3]


def shows_deeper_tiles(before, after):
    """Whether a viewer's tile counts (its state before and after the camera came closer: the deepest
    level shown and the tiles shown per level) show a deeper level, or more tiles of the deepest one."""
    level = before["deepest"]
    return after["deepest"] > level or after["levels"][level] > before["levels"][level]
