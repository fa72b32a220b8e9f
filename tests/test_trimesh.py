"""from_trimesh: trimesh scenes kept as scenes (node names, world transforms, a
mesh per node with its own material and texture), compared with what trimesh
itself holds and with trimesh reading the file back; the files that trimesh
reads without decoding them."""

import io
import warnings

import numpy as np
import pytest

import spatial_assembler as sa
from glb_reading import read_glb
from scene_reading import image_bytes, scene_parts

trimesh = pytest.importorskip("trimesh")
Image = pytest.importorskip("PIL.Image")

RNG = np.random.default_rng(31)


def colored_box(rgba, metallic, roughness, double_sided):
    box = trimesh.creation.box(extents=[1, 2, 3])
    material = trimesh.visual.material.PBRMaterial(baseColorFactor=rgba, metallicFactor=metallic,
                                                   roughnessFactor=roughness, emissiveFactor=[0.25, 0, 0],
                                                   doubleSided=double_sided)
    box.visual = trimesh.visual.TextureVisuals(material=material)
    return box


def textured_sphere():
    sphere = trimesh.creation.uv_sphere(radius=1.5, count=[12, 16])
    uv = RNG.random((len(sphere.vertices), 2))
    image = Image.fromarray(RNG.integers(0, 256, (8, 16, 3)).astype(np.uint8))
    sphere.visual = trimesh.visual.TextureVisuals(uv=uv, image=image)
    return sphere


def corners(drawn, semantic="POSITION"):
    """Each triangle corner's values: independent of how the writer split or ordered the vertices."""
    primitive = drawn.primitives[0]
    return primitive.attributes[semantic][primitive.indices]


@pytest.fixture(scope="module")
def boxes_and_a_texture():
    scene = trimesh.Scene()
    moves = {"Red box": trimesh.transformations.translation_matrix([4, 0, 0]),
             "Blue box": trimesh.transformations.rotation_matrix(0.7, [1, 1, 0], [0, 1, 0]) @ np.diag([2, 2, 2, 1.0]),
             "Textured": trimesh.transformations.translation_matrix([0, -5, 1])}
    scene.add_geometry(colored_box([255, 0, 0, 255], 0.25, 0.75, True), node_name="Red box", transform=moves["Red box"])
    scene.add_geometry(colored_box([0, 0, 255, 255], 1.0, 0.25, False), node_name="Blue box", transform=moves["Blue box"])
    scene.add_geometry(textured_sphere(), node_name="Textured", transform=moves["Textured"])
    with warnings.catch_warnings():
        warnings.simplefilter("error")  # a scene trimesh made itself: nothing to warn about
        glb = sa.from_trimesh(scene)
    return scene, moves, glb


def test_a_scene_keeps_its_nodes_transforms_and_materials(boxes_and_a_texture, validator):
    scene, moves, glb = boxes_and_a_texture
    validator.assert_valid(glb)
    parsed = read_glb(glb)
    parts = scene_parts(parsed)
    assert [part.name for part in parts] == list(moves)
    for part in parts:
        (drawn,) = part.drawn
        assert np.allclose(part.matrix, moves[part.name])  # the node's own matrix
        geometry = scene.geometry[scene.graph[part.name][1]]
        expected = trimesh.transform_points(np.asarray(geometry.vertices)[geometry.faces.ravel()], moves[part.name])
        assert np.allclose(drawn.world()[drawn.primitives[0].indices], expected, atol=1e-5)
    red, blue = (part.drawn[0].primitives[0].material for part in parts[:2])
    assert red["pbrMetallicRoughness"] == {"baseColorFactor": [1, 0, 0, 1], "metallicFactor": 0.25, "roughnessFactor": 0.75}
    assert blue["pbrMetallicRoughness"] == {"baseColorFactor": [0, 0, 1, 1], "metallicFactor": 1, "roughnessFactor": 0.25}
    assert (red["emissiveFactor"], red["doubleSided"], blue["doubleSided"]) == ([0.25, 0, 0], True, False)


def test_a_texture_keeps_its_image_and_uv(boxes_and_a_texture):
    scene, _, glb = boxes_and_a_texture
    parsed = read_glb(glb)
    (drawn,) = scene_parts(parsed)[2].drawn
    sphere = scene.geometry[scene.graph["Textured"][1]]
    material = drawn.primitives[0].material
    assert material["pbrMetallicRoughness"]["baseColorFactor"] == [1, 1, 1, 1]  # the image as it is
    embedded = Image.open(io.BytesIO(image_bytes(parsed, material)))
    assert embedded.format == "PNG"
    assert np.array_equal(np.asarray(embedded), np.asarray(sphere.visual.material.image))
    # glTF's v runs down from the image's top: 1 - trimesh's v, corner by corner.
    uv = np.asarray(sphere.visual.uv)[sphere.faces.ravel()]
    assert np.allclose(corners(drawn, "TEXCOORD_0"), np.column_stack([uv[:, 0], 1 - uv[:, 1]]), atol=1e-7)


def test_trimesh_reads_the_scene_back(boxes_and_a_texture):
    """trimesh, an independent reader, finds every geometry where the scene had it, and the texture."""
    scene, moves, glb = boxes_and_a_texture
    back = trimesh.load(io.BytesIO(glb), file_type="glb")
    assert len(back.graph.nodes_geometry) == 3
    for name, move in moves.items():
        geometry = scene.geometry[scene.graph[name][1]]
        (node,) = [n for n in back.graph.nodes_geometry if name in back.graph.transforms.parents.get(n, "") or n == name]
        transform, key = back.graph[node]
        assert np.allclose(transform, move)
        assert np.allclose(back.geometry[key].bounds, geometry.bounds, atol=1e-6)
    textured = next(g for g in back.geometry.values() if isinstance(g.visual, trimesh.visual.TextureVisuals)
                    and g.visual.material.baseColorTexture is not None)
    assert np.array_equal(np.asarray(textured.visual.material.baseColorTexture),
                          np.asarray(scene.geometry[scene.graph["Textured"][1]].visual.material.image))


def test_a_read_texture_keeps_its_file_bytes_and_one_mesh_writes_as_mesh_does(tmp_path):
    """An image that Pillow read from a JPEG file and never loaded is embedded as that file; a single
    textured Trimesh writes what mesh() writes of its arrays."""
    sphere = textured_sphere()
    pixels = RNG.integers(0, 256, (32, 32, 3)).astype(np.uint8)
    Image.fromarray(pixels).save(tmp_path / "texture.jpg", quality=90)
    jpeg = (tmp_path / "texture.jpg").read_bytes()
    with Image.open(tmp_path / "texture.jpg") as image:
        sphere.visual = trimesh.visual.TextureVisuals(uv=sphere.visual.uv, image=image)
        glb = sa.from_trimesh(sphere, normals="smooth")
    parsed = read_glb(glb)
    assert image_bytes(parsed, parsed.document["materials"][0]) == jpeg
    uv = np.asarray(sphere.visual.uv)
    assert glb == sa.mesh(sphere.vertices, sphere.faces, normals="smooth", uv=np.column_stack([uv[:, 0], 1 - uv[:, 1]]),
                          texture=jpeg, base_color=[1, 1, 1, 1])
    # Once loaded (and perhaps changed), the pixels are encoded anew as PNG.
    loaded = Image.fromarray(pixels)
    sphere.visual = trimesh.visual.TextureVisuals(uv=uv, image=loaded)
    parsed = read_glb(sa.from_trimesh(sphere))
    assert np.array_equal(np.asarray(Image.open(io.BytesIO(image_bytes(parsed, parsed.document["materials"][0])))), pixels)


def test_face_colours_share_vertices_within_a_colour(validator):
    """Each face keeps its colour, and a surface of one colour stays smooth: its faces share their vertices."""
    sphere = trimesh.creation.icosphere(subdivisions=2)
    north = sphere.triangles_center[:, 2] > 0
    colors = np.where(north[:, None], [255, 0, 0, 255], [0, 0, 255, 255]).astype(np.uint8)
    sphere.visual.face_colors = colors
    glb = sa.from_trimesh(sphere)
    validator.assert_valid(glb)
    (drawn,) = scene_parts(read_glb(glb))[0].drawn
    primitive = drawn.primitives[0]
    assert np.array_equal(np.round(corners(drawn, "COLOR_0")[::3] * 255), colors.astype(float))
    assert np.allclose(drawn.world()[primitive.indices], sphere.vertices[sphere.faces.ravel()])
    pairs = {(vertex, bool(side)) for face, side in zip(sphere.faces, north) for vertex in face}
    assert len(primitive.attributes["POSITION"]) == len(pairs)  # split only where the colours meet
    normals, positions = primitive.attributes["NORMAL"], primitive.attributes["POSITION"]
    alignment = np.sum(normals * positions, axis=1)  # smooth: each normal along its radius (flat: 0.98 or less)
    assert np.median(alignment) > 0.999 and alignment.min() > 0.98  # where colours meet, half the faces count


def test_point_clouds_and_paths(validator):
    cloud = trimesh.PointCloud(RNG.random((20, 3)), colors=RNG.integers(0, 256, (20, 4)).astype(np.uint8))
    path = trimesh.load_path(np.array([[0, 0, 0], [1, 0, 0], [1, 1, 0], [1, 1, 1.0]]))
    scene = trimesh.Scene()
    scene.add_geometry(cloud, node_name="Cloud", transform=trimesh.transformations.translation_matrix([0, 0, 3]))
    scene.add_geometry(path, node_name="Path")
    glb = sa.from_trimesh(scene)
    validator.assert_valid(glb, sa.from_trimesh(cloud), sa.from_trimesh(path))
    cloud_part, path_part = scene_parts(read_glb(glb))
    points = cloud_part.drawn[0]
    assert points.primitives[0].mode == 0 and np.allclose(points.world(), cloud.vertices + [0, 0, 3], atol=1e-6)
    assert np.allclose(points.primitives[0].attributes["COLOR_0"], cloud.colors / 255, atol=1e-7)
    lines = path_part.drawn[0].primitives[0]
    segments = lines.attributes["POSITION"][lines.indices].reshape(-1, 2, 3)
    expected = np.concatenate([path.vertices[np.column_stack([e.points[:-1], e.points[1:]])] for e in path.entities])
    assert lines.mode == 1 and np.allclose(segments, expected)


def test_shears_are_applied_to_the_geometry(validator):
    """glTF's nodes hold translations, rotations and scales; a sheared node's geometry is written sheared."""
    shear = np.eye(4)
    shear[0, 1] = 0.5
    box = trimesh.creation.box()
    scene = trimesh.Scene()
    scene.add_geometry(box, node_name="Sheared", transform=shear)
    glb = sa.from_trimesh(scene)
    validator.assert_valid(glb)
    (part,) = scene_parts(read_glb(glb))
    assert np.allclose(part.matrix, np.eye(4))
    drawn = part.drawn[0]
    assert np.allclose(drawn.world()[drawn.primitives[0].indices], trimesh.transform_points(box.vertices, shear)[box.faces.ravel()])


def test_files_trimesh_cannot_decode_are_warned_about():
    rng = np.random.default_rng(8)
    positions = rng.random((60, 3)) * 10
    faces = rng.integers(0, 60, (40, 3))
    compact = trimesh.load(io.BytesIO(sa.mesh(positions, faces, encoding="compact")), file_type="glb")
    with pytest.warns(UserWarning, match="32767 times too large") as caught:
        sa.from_trimesh(compact)
    assert caught[0].filename == __file__  # at the caller's line
    spheres = trimesh.load(io.BytesIO(sa.atoms(positions, style="spheres")), file_type="glb")
    with pytest.warns(UserWarning, match="node 'Atoms grey' uses EXT_mesh_gpu_instancing"):
        sa.from_trimesh(spheres)
    plain = trimesh.load(io.BytesIO(sa.mesh(positions, faces)), file_type="glb")
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        sa.from_trimesh(plain)


def test_options_and_refusals():
    box = trimesh.creation.box()
    for normals in ("auto", "smooth", "flat"):
        assert sa.from_trimesh(box, normals=normals, encoding="compact") == \
            sa.mesh(box.vertices, box.faces, normals=normals, encoding="compact")
    out = bytearray(1 << 16)
    scene = trimesh.Scene(box)
    view = sa.from_trimesh(scene, out=out)
    assert isinstance(view, memoryview) and bytes(view) == sa.from_trimesh(scene)
    with pytest.raises(ValueError, match="^from_trimesh: the Scene holds no geometry"):
        sa.from_trimesh(trimesh.Scene())
    with pytest.raises(TypeError, match="^from_trimesh needs a trimesh.Trimesh, .* not list$"):
        sa.from_trimesh([])
    with pytest.raises(ValueError, match=r"^from_trimesh: node 'geometry_0': faces hold no triangle"):
        sa.from_trimesh(trimesh.Scene(trimesh.Trimesh(box.vertices, np.zeros((0, 3), int))))
