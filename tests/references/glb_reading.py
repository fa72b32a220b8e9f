"""An independent reading of GLB files with struct and json, for the tests."""

import json
import struct
from dataclasses import dataclass


@dataclass
class Glb:
    length: int
    json_text: str  # without the space padding
    json_chunk_length: int
    document: dict | None  # None when the text is not a JSON object
    bin_chunk_length: int
    bin: bytes  # chunk data including any zero padding


def read_glb(data: bytes) -> Glb:
    """Parses the 12-byte header and both chunks, checking every structural rule."""
    assert len(data) % 4 == 0 and len(data) >= 28
    magic, version, length = struct.unpack_from("<4sII", data, 0)
    assert magic == b"glTF" and version == 2 and length == len(data)
    json_length, json_type = struct.unpack_from("<I4s", data, 12)
    assert json_type == b"JSON" and json_length % 4 == 0
    raw_json = data[20 : 20 + json_length]
    text = raw_json.rstrip(b" ").decode("utf-8")
    assert raw_json == text.encode() + b" " * (json_length - len(text.encode()))
    assert json_length - len(text.encode()) < 4
    bin_offset = 20 + json_length
    bin_length, bin_type = struct.unpack_from("<I4s", data, bin_offset)
    assert bin_type == b"BIN\0" and bin_length % 4 == 0
    assert bin_offset + 8 + bin_length == len(data)
    try:
        document = json.loads(text)
    except json.JSONDecodeError:
        document = None
    return Glb(length, text, json_length, document, bin_length, data[bin_offset + 8 :])


def accessor_bytes(glb: Glb, accessor_index: int) -> bytes:
    """The bytes that an accessor's bufferView covers in the BIN chunk."""
    document = glb.document
    view = document["bufferViews"][document["accessors"][accessor_index]["bufferView"]]
    start = view.get("byteOffset", 0)
    return glb.bin[start : start + view["byteLength"]]


COMPONENT_TYPES = {5120: "i1", 5121: "u1", 5122: "<i2", 5123: "<u2", 5125: "<u4", 5126: "<f4"}
WIDTHS = {"SCALAR": 1, "VEC2": 2, "VEC3": 3, "VEC4": 4}


def accessor_values(glb: Glb, accessor_index: int):
    """An accessor's elements as a (count, width) numpy array, read with its own
    byte offset and its view's stride; normalised integers as the floats they stand for."""
    import numpy as np

    accessor = glb.document["accessors"][accessor_index]
    view = glb.document["bufferViews"][accessor["bufferView"]]
    dtype = np.dtype(COMPONENT_TYPES[accessor["componentType"]])
    width = WIDTHS[accessor["type"]]
    stride = view.get("byteStride", dtype.itemsize * width)
    start = view.get("byteOffset", 0) + accessor.get("byteOffset", 0)
    count = accessor["count"]
    assert start + (count - 1) * stride + dtype.itemsize * width <= view.get("byteOffset", 0) + view["byteLength"] or count == 0
    values = np.ndarray((count, width), dtype, glb.bin, start, (stride, dtype.itemsize)).copy()
    if not accessor.get("normalized"):
        return values
    largest = float(np.iinfo(dtype).max)
    return np.maximum(values / largest, -1.0) if dtype.kind == "i" else values / largest


def node_transform(node: dict):
    """(translation, scale) of a node, the identity when it has none."""
    return node.get("translation", [0.0, 0.0, 0.0]), node.get("scale", [1.0, 1.0, 1.0])


FLOAT32_MAX = 3.4028234663852886e38


def numbers_beyond_float32(data: bytes) -> list[str]:
    """Where a GLB holds a number that is not finite as a float32: JSON text that is
    no strict JSON (NaN, Infinity), node transforms, accessor bounds and material
    factors beyond the float32 range, float accessors holding NaN or infinities,
    and the positions that compact nodes restore (translation + scale * value)."""
    import math

    import numpy as np

    glb = read_glb(data)

    def refuse(constant):
        raise ValueError(f"{constant} in the JSON text")

    try:
        document = json.loads(glb.json_text, parse_constant=refuse)
    except ValueError as error:
        return [str(error)]
    problems = []

    def check(where, values):
        for value in values if isinstance(values, list) else [values]:
            if not (isinstance(value, (int, float)) and math.isfinite(value) and abs(value) <= FLOAT32_MAX):
                problems.append(f"{where}: {value}")

    for i, node in enumerate(document.get("nodes", [])):
        for key in ("translation", "rotation", "scale", "matrix"):
            if key in node:
                check(f"nodes[{i}].{key}", node[key])
    for i, accessor in enumerate(document.get("accessors", [])):
        for key in ("min", "max"):
            if key in accessor:
                check(f"accessors[{i}].{key}", accessor[key])
        if accessor["componentType"] == 5126:
            values = accessor_values(glb, i)
            if not np.all(np.isfinite(values)):
                problems.append(f"accessors[{i}] holds values that are not finite")
    for i, material in enumerate(document.get("materials", [])):
        factors = material.get("pbrMetallicRoughness", {})
        check(f"materials[{i}]", [*factors.get("baseColorFactor", []), factors.get("metallicFactor", 0),
                                   factors.get("roughnessFactor", 0), *material.get("emissiveFactor", [])])
    for i, node in enumerate(document.get("nodes", [])):
        instances = node.get("extensions", {}).get("EXT_mesh_gpu_instancing", {}).get("attributes", {})
        if "TRANSLATION" in instances and "ROTATION" not in instances:  # spheres: their place, and their mesh scaled
            reach = np.abs(accessor_values(glb, instances["TRANSLATION"])).max()
            scale = np.abs(accessor_values(glb, instances["SCALE"])).max() if "SCALE" in instances else 1.0
            for primitive in document["meshes"][node["mesh"]]["primitives"]:
                reach_of_mesh = np.abs(accessor_values(glb, primitive["attributes"]["POSITION"])).max()
                if not reach + scale * reach_of_mesh <= FLOAT32_MAX:
                    problems.append(f"nodes[{i}] places instances reaching beyond the float32 range")
        if "mesh" not in node or "scale" not in node:
            continue
        for primitive in document["meshes"][node["mesh"]]["primitives"]:
            restored = np.asarray(node.get("translation", [0, 0, 0])) + np.asarray(node["scale"]) * accessor_values(
                glb, primitive["attributes"]["POSITION"])
            if not np.all(np.abs(restored) <= FLOAT32_MAX):
                problems.append(f"nodes[{i}] restores positions beyond the float32 range")
    return problems
