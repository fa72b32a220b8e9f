"""GLB writers in plain numpy: what a user would write by hand instead of the module.

They produce the same bytes as the module, so the benchmarks compare equal work
and the tests can use them as an independent computation.
"""

import struct

import numpy as np

_ASSET = '{"asset":{"version":"2.0","generator":"Tarn Native"},"scene":0,"scenes":[{"nodes":[0]}],'
_POINTS = (
    _ASSET + '"nodes":[{"mesh":0,"name":"Atoms"}],"meshes":[{"primitives":[{"attributes":{"POSITION":0,"COLOR_0":1},'
    '"mode":0}],"name":"AtomCloud"}],"accessors":[{"bufferView":0,"componentType":5126,"count":%d,"type":"VEC3",'
    '"min":[%s],"max":[%s]},{"bufferView":1,"componentType":5126,"count":%d,"type":"%s"}],'
    '"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":%d,"target":34962},{"buffer":0,"byteOffset":%d,'
    '"byteLength":%d,"target":34962}],"buffers":[{"byteLength":%d}]}'
)


def shortest_float32_text(value) -> str:
    """The shortest text that reads back as this float32, fixed or scientific,
    whichever is shorter (fixed on a tie), in the style of C++ std::to_chars."""
    value = np.float32(value)
    sign = "-" if np.signbit(value) else ""
    mantissa, exponent = np.format_float_scientific(abs(value), unique=True, trim="-").split("e")
    digits, exponent = mantissa.replace(".", ""), int(exponent)
    scientific = digits[0] + ("." + digits[1:] if len(digits) > 1 else "") + "e%+03d" % exponent
    if exponent + 1 >= len(digits):
        fixed = str(int(abs(value)))  # an integer: its exact digits, also past the shortest ones
    elif exponent >= 0:
        fixed = digits[: exponent + 1] + "." + digits[exponent + 1 :]
    else:
        fixed = "0." + "0" * (-exponent - 1) + digits
    return sign + (fixed if len(fixed) <= len(scientific) else scientific)


def format_bound(value) -> str:
    """A bound as the documents write it: six decimals when that text reads back as
    the same float32 (or the value is beyond the float range), else the float32's
    shortest text."""
    six_decimals = "%.6f" % value
    with np.errstate(over="ignore"):
        narrow = np.float32(value)
    if not np.isfinite(narrow) or np.float32(float(six_decimals)) == narrow:
        return six_decimals
    return shortest_float32_text(narrow)


def bounds_text(values):
    return ",".join(format_bound(v) for v in values)


def pack_glb(json_text: str, *payload_parts: bytes) -> bytes:
    """Header, space-padded JSON chunk and zero-padded BIN chunk, joined once."""
    json_bytes = json_text.encode()
    json_bytes += b" " * (-len(json_bytes) % 4)
    payload_length = sum(len(part) for part in payload_parts)
    padding = b"\0" * (-payload_length % 4)
    total = 12 + 8 + len(json_bytes) + 8 + payload_length + len(padding)
    return b"".join(
        [
            struct.pack("<4sII", b"glTF", 2, total),
            struct.pack("<I4s", len(json_bytes), b"JSON"),
            json_bytes,
            struct.pack("<I4s", payload_length + len(padding), b"BIN\0"),
            *payload_parts,
            padding,
        ]
    )


def point_cloud_glb_numpy(positions, colors, vmin, vmax) -> bytes:
    positions = np.ascontiguousarray(positions, dtype=np.float32).reshape(-1)
    colors = np.ascontiguousarray(colors, dtype=np.float32).reshape(-1)
    n = positions.size // 3
    color_type = "VEC4" if colors.size == 4 * n else "VEC3"
    position_bytes, color_bytes = positions.nbytes, colors.nbytes
    text = _POINTS % (n, bounds_text(vmin[:3]), bounds_text(vmax[:3]), n, color_type, position_bytes, position_bytes, color_bytes,
                      position_bytes + color_bytes)
    return pack_glb(text, positions.tobytes(), colors.tobytes())


_ATOMS = _POINTS.replace('"type":"%s"}', '"type":"VEC3"}')

# The atom palette: RGB per type id as float32 bit patterns; ids of 7 and above use the last row.
ATOM_PALETTE = np.array(
    [
        [0x3F000000] * 3,
        [0x3F800000, 0x3E88B439, 0x3E88B439],
        [0x3E88B439, 0x3F800000, 0x3E88B439],
        [0x3E88B439, 0x3E88B439, 0x3F800000],
        [0x3F800000, 0x3F800000, 0x3E88B439],
        [0x3F800000, 0x3E88B439, 0x3F800000],
        [0x3E88B439, 0x3F800000, 0x3F800000],
        [0x3F19999A] * 3,
    ],
    dtype=np.uint32,
).view(np.float32)


def _spread_bits(v):
    v = (v | v << 16) & 0x030000FF
    v = (v | v << 8) & 0x0300F00F
    v = (v | v << 4) & 0x030C30C3
    return (v | v << 2) & 0x09249249


def morton_keys_numpy(positions, vmin, vmax):
    """30-bit Morton keys of float32 positions (n, 3): 1024 cells per axis over the box,
    computed in float32 exactly as ((p - min) * scale) * 1023, truncated and clamped."""
    with np.errstate(over="ignore", invalid="ignore", divide="ignore"):
        extent = (np.asarray(vmax[:3], np.float64) - np.asarray(vmin[:3], np.float64)).astype(np.float32)
        extent = np.where(extent > np.float32(1e-10), extent, np.float32(1e-10)).astype(np.float32)
        scale = np.float32(1.0) / extent
        minimum = np.asarray(vmin[:3], np.float64).astype(np.float32)
        f = ((positions - minimum) * scale) * np.float32(1023.0)
        cells = np.where(f > 0, np.minimum(f, np.float32(1023.0)), np.float32(0)).astype(np.uint32)
    return _spread_bits(cells[:, 0]) | _spread_bits(cells[:, 1]) << 1 | _spread_bits(cells[:, 2]) << 2


def atom_glb_numpy(positions, types, vmin, vmax) -> bytes:
    positions = np.ascontiguousarray(positions, dtype=np.float32).reshape(-1)
    n = positions.size // 3
    if n == 0:
        return pack_glb("{}")
    positions = positions[: 3 * n].reshape(n, 3)
    types = np.frombuffer(np.ascontiguousarray(types).tobytes(), np.uint16)[:n]
    order = np.argsort(morton_keys_numpy(positions, vmin, vmax), kind="stable")
    colors = ATOM_PALETTE[np.minimum(types[order], 7)]
    size = 12 * n
    text = _ATOMS % (n, bounds_text(vmin[:3]), bounds_text(vmax[:3]), n, size, size, size, 2 * size)
    return pack_glb(text, positions[order].tobytes(), colors.tobytes())


_MESH_HEAD = (
    _ASSET + '"nodes":[{"mesh":0,"name":"Mesh"}],"materials":[{"pbrMetallicRoughness":{"baseColorFactor":'
    '[%.4f,%.4f,%.4f,%.4f],"metallicFactor":%.4f,"roughnessFactor":%.4f},"emissiveFactor":[%.4f,%.4f,%.4f],'
    '"doubleSided":%s}],"meshes":[{"primitives":[{"attributes":'
)
_POSITION_ACCESSOR = '{"bufferView":0,"componentType":5126,"count":%d,"type":"VEC3","min":[%s],"max":[%s]}'
_MESH_WITH_COLORS = (
    _MESH_HEAD + '{"POSITION":0,"NORMAL":1,"COLOR_0":2},"indices":3,"material":0,"mode":4}],"name":"MeshGeometry"}],'
    '"accessors":[' + _POSITION_ACCESSOR + ',{"bufferView":1,"componentType":5126,"count":%d,"type":"VEC3"},'
    '{"bufferView":2,"componentType":5126,"count":%d,"type":"VEC4"},{"bufferView":3,"componentType":5125,'
    '"count":%d,"type":"SCALAR"}],"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":%d,"target":34962},'
    '{"buffer":0,"byteOffset":%d,"byteLength":%d,"target":34962},{"buffer":0,"byteOffset":%d,"byteLength":%d,'
    '"target":34962},{"buffer":0,"byteOffset":%d,"byteLength":%d,"target":34963}],"buffers":[{"byteLength":%d}]}'
)
_MESH_WITHOUT_COLORS = (
    _MESH_HEAD + '{"POSITION":0,"NORMAL":1},"indices":2,"material":0,"mode":4}],"name":"MeshGeometry"}],'
    '"accessors":[' + _POSITION_ACCESSOR + ',{"bufferView":1,"componentType":5126,"count":%d,"type":"VEC3"},'
    '{"bufferView":2,"componentType":5125,"count":%d,"type":"SCALAR"}],"bufferViews":[{"buffer":0,"byteOffset":0,'
    '"byteLength":%d,"target":34962},{"buffer":0,"byteOffset":%d,"byteLength":%d,"target":34962},{"buffer":0,'
    '"byteOffset":%d,"byteLength":%d,"target":34963}],"buffers":[{"byteLength":%d}]}'
)


def mesh_glb_numpy(positions, normals, indices, bounds, base_color, metallic, roughness, emissive, double_sided,
                   colors=None) -> bytes:
    raw = [bytes(memoryview(a).cast("B")) if a is not None else b"" for a in (positions, normals, colors, indices)]
    position_bytes, normal_bytes, color_bytes, index_bytes = (len(r) // 4 * 4 for r in raw)
    raw = [r[: len(r) // 4 * 4] for r in raw]
    n = position_bytes // 12
    material = (*base_color[:4], metallic, roughness, *emissive[:3], "true" if double_sided else "false")
    if color_bytes:
        text = _MESH_WITH_COLORS % (*material, n, bounds_text(bounds[:3]), bounds_text(bounds[3:6]), n, n, index_bytes // 4, position_bytes, position_bytes,
                                    normal_bytes, position_bytes + normal_bytes, color_bytes,
                                    position_bytes + normal_bytes + color_bytes, index_bytes,
                                    position_bytes + normal_bytes + color_bytes + index_bytes)
        return pack_glb(text, raw[0], raw[1], raw[2], raw[3])
    text = _MESH_WITHOUT_COLORS % (*material, n, bounds_text(bounds[:3]), bounds_text(bounds[3:6]), n, index_bytes // 4, position_bytes, position_bytes,
                                   normal_bytes, position_bytes + normal_bytes, index_bytes,
                                   position_bytes + normal_bytes + index_bytes)
    return pack_glb(text, raw[0], raw[1], raw[3])
