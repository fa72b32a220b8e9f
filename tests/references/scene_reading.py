"""The parts of a scene's GLB as a reader sees them, read with glb_reading: each
node of the scene with its name, and every node under it that draws a mesh,
with its world matrix (composed from the nodes' matrices or translation,
rotation and scale, as glTF defines them) and its primitives' attributes."""

from dataclasses import dataclass, field

import numpy as np

from glb_reading import Glb, accessor_values


def local_matrix(node: dict) -> np.ndarray:
    """A node's transform as a 4 x 4 matrix acting on column vectors: its matrix (stored column by column),
    or T * R * S."""
    if "matrix" in node:
        return np.array(node["matrix"], np.float64).reshape(4, 4).T
    x, y, z, w = node.get("rotation", [0.0, 0.0, 0.0, 1.0])
    rotation = np.array([[1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)],
                         [2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)],
                         [2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)]])
    matrix = np.eye(4)
    matrix[:3, :3] = rotation * np.array(node.get("scale", [1.0, 1.0, 1.0]))[None, :]
    matrix[:3, 3] = node.get("translation", [0.0, 0.0, 0.0])
    return matrix


@dataclass
class Primitive:
    mode: int
    attributes: dict  # semantic: values as floats (normalised integers as what they stand for)
    indices: np.ndarray | None
    material: dict | None


@dataclass
class Drawn:
    """A node that draws a mesh: its world matrix and the mesh's primitives."""
    name: str
    matrix: np.ndarray
    primitives: list[Primitive]
    instanced: bool

    def world(self, semantic: str = "POSITION", primitive: int = 0) -> np.ndarray:
        """A primitive's positions in the world."""
        points = self.primitives[primitive].attributes[semantic]
        return points @ self.matrix[:3, :3].T + self.matrix[:3, 3]


@dataclass
class Part:
    name: str
    matrix: np.ndarray  # the part's own node
    drawn: list[Drawn] = field(default_factory=list)


def scene_parts(glb: Glb) -> list[Part]:
    document = glb.document
    nodes = document["nodes"]

    def primitive(entry: dict) -> Primitive:
        indices = entry.get("indices")
        return Primitive(entry.get("mode", 4),
                         {semantic: accessor_values(glb, accessor) for semantic, accessor in entry["attributes"].items()},
                         None if indices is None else accessor_values(glb, indices).ravel().astype(np.int64),
                         None if "material" not in entry else document["materials"][entry["material"]])

    def walk(index: int, parent: np.ndarray, part: Part) -> None:
        node = nodes[index]
        matrix = parent @ local_matrix(node)
        if "mesh" in node:
            part.drawn.append(Drawn(node.get("name", ""), matrix,
                                    [primitive(p) for p in document["meshes"][node["mesh"]]["primitives"]],
                                    "EXT_mesh_gpu_instancing" in node.get("extensions", {})))
        for child in node.get("children", []):
            walk(child, matrix, part)

    parts = []
    for root in document["scenes"][document.get("scene", 0)]["nodes"]:
        part = Part(nodes[root].get("name", ""), local_matrix(nodes[root]))
        walk(root, np.eye(4), part)
        parts.append(part)
    return parts


def image_bytes(glb: Glb, material: dict) -> bytes:
    """The bytes of the image that a material's base colour texture shows."""
    document = glb.document
    texture = document["textures"][material["pbrMetallicRoughness"]["baseColorTexture"]["index"]]
    view = document["bufferViews"][document["images"][texture["source"]]["bufferView"]]
    start = view.get("byteOffset", 0)
    return glb.bin[start : start + view["byteLength"]]
