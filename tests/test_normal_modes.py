"""Meshes that keep their look: the normals modes against numpy (a cube is crisp
under "auto" and "flat" and rounded under "smooth"; a sphere stays smooth under
"auto"), textures read back (PNG and JPEG bytes as given, image arrays encoded
as PNG) with their uv, and translucent materials."""

import io

import numpy as np
import pytest

import spatial_assembler as sa
from glb_reading import read_glb
from scene_reading import image_bytes, scene_parts

Image = pytest.importorskip("PIL.Image")

# The unit cube: 8 corners, 12 triangles wound outwards.
CUBE = np.array([[x, y, z] for x in (0, 1) for y in (0, 1) for z in (0, 1)], np.float64)
CUBE_FACES = np.array([[0, 1, 3], [0, 3, 2], [4, 6, 7], [4, 7, 5], [0, 4, 5], [0, 5, 1],
                       [2, 3, 7], [2, 7, 6], [0, 2, 6], [0, 6, 4], [1, 5, 7], [1, 7, 3]])


def uv_sphere(rows=16, columns=24):
    """A sphere of radius 2 by latitude and longitude, its poles single vertices."""
    theta = np.linspace(0, np.pi, rows)[1:-1]
    phi = np.linspace(0, 2 * np.pi, columns, endpoint=False)
    ring = np.stack([np.outer(np.sin(theta), np.cos(phi)), np.outer(np.sin(theta), np.sin(phi)),
                     np.outer(np.cos(theta), np.ones(columns))], -1).reshape(-1, 3)
    positions = 2 * np.concatenate([[[0, 0, 1]], ring, [[0, 0, -1]]])
    faces = [[0, 1 + c, 1 + (c + 1) % columns] for c in range(columns)]
    for r in range(rows - 3):
        for c in range(columns):
            a, b = 1 + r * columns + c, 1 + r * columns + (c + 1) % columns
            faces += [[a, a + columns, b], [b, a + columns, b + columns]]
    last = len(positions) - 1
    faces += [[last, last - columns + (c + 1) % columns, last - columns + c] for c in range(columns)]
    return positions, np.array(faces)


def face_normals(positions, faces):
    cross = np.cross(positions[faces[:, 1]] - positions[faces[:, 0]], positions[faces[:, 2]] - positions[faces[:, 0]])
    return cross / np.linalg.norm(cross, axis=1, keepdims=True)


def written(glb):
    """(positions, normals, faces) of a one-mesh file."""
    (part,) = scene_parts(read_glb(glb))
    primitive = part.drawn[0].primitives[0]
    return primitive.attributes["POSITION"], primitive.attributes["NORMAL"], primitive.indices.reshape(-1, 3)


@pytest.mark.parametrize("mode", ["auto", "flat"])
def test_a_cube_is_crisp(mode, validator):
    glb = sa.mesh(CUBE, CUBE_FACES, normals=mode)
    validator.assert_valid(glb)
    positions, normals, faces = written(glb)
    assert len(positions) == 24  # each corner once for each of its three sides
    # Every corner of every triangle carries its side's normal, as numpy computes it.
    assert np.allclose(normals[faces], face_normals(CUBE, CUBE_FACES)[:, None, :], atol=1e-7)
    assert np.array_equal(positions[faces], CUBE[CUBE_FACES].astype(np.float32))
    for corner in CUBE:
        at_corner = normals[np.all(positions == corner, axis=1)]
        outwards = np.diag(np.where(corner > 0, 1.0, -1.0))  # the three sides that meet there
        assert sorted(map(tuple, at_corner)) == sorted(map(tuple, outwards))


def test_a_smooth_cube_has_area_weighted_normals():
    positions, normals, faces = written(sa.mesh(CUBE, CUBE_FACES, normals="smooth"))
    assert len(positions) == 8 and np.array_equal(faces, CUBE_FACES) and np.array_equal(positions, CUBE)
    cross = np.cross(CUBE[CUBE_FACES[:, 1]] - CUBE[CUBE_FACES[:, 0]], CUBE[CUBE_FACES[:, 2]] - CUBE[CUBE_FACES[:, 0]])
    summed = np.zeros((8, 3))
    np.add.at(summed, CUBE_FACES.ravel(), np.repeat(cross, 3, axis=0))  # twice each face's area along its normal
    assert np.allclose(normals, summed / np.linalg.norm(summed, axis=1, keepdims=True), atol=1e-7)


def test_a_sphere_stays_smooth_under_auto_and_is_faceted_when_flat(validator):
    positions, faces = uv_sphere()
    auto, smooth, flat = (sa.mesh(positions, faces, normals=mode) for mode in ("auto", "smooth", "flat"))
    validator.assert_valid(auto, flat)
    auto_positions, auto_normals, auto_faces = written(auto)
    smooth_positions, smooth_normals, _ = written(smooth)
    # No edge of the sphere reaches 30 degrees: nothing is split, and the normals are the smooth ones.
    assert len(auto_positions) == len(positions) and np.array_equal(auto_faces, faces)
    assert np.allclose(auto_normals, smooth_normals, atol=1e-6)
    assert np.all(np.sum(auto_normals * positions / 2, axis=1) > 0.99)
    # A crease angle below the sphere's edges splits it like flat shading.
    assert len(written(sa.mesh(positions, faces, crease_angle=1))[0]) == len(written(flat)[0])
    flat_positions, flat_normals, flat_faces = written(flat)
    assert np.allclose(flat_normals[flat_faces], face_normals(positions, faces)[:, None, :], atol=1e-6)
    assert np.allclose(flat_positions[flat_faces], positions[faces])


def test_given_normals_and_bad_modes():
    normals = np.tile([[0, 0, 3.0]], (8, 1))
    assert np.array_equal(written(sa.mesh(CUBE, CUBE_FACES, normals=normals))[1], np.tile([[0, 0, 1]], (8, 1)))
    with pytest.raises(ValueError, match="^normals must be 'auto', 'smooth' or 'flat', or one normal per vertex, not 'round'$"):
        sa.mesh(CUBE, CUBE_FACES, normals="round")  # type: ignore[arg-type]


# ---------------------------------------------------------------------------
# Textures.

RNG = np.random.default_rng(41)
PIXELS = RNG.integers(0, 256, (6, 10, 3)).astype(np.uint8)


def encoded(pixels, kind, **options):
    stream = io.BytesIO()
    Image.fromarray(pixels).save(stream, format=kind, **options)
    return stream.getvalue()


def textured(texture, normals="auto"):
    """A textured cube, its uv different at each corner of each triangle's side."""
    uv = RNG.random((8, 2))
    glb = sa.mesh(CUBE, CUBE_FACES, uv=uv, texture=texture, normals=normals)
    parsed = read_glb(glb)
    primitive = scene_parts(parsed)[0].drawn[0].primitives[0]
    return glb, parsed, primitive, uv


@pytest.mark.parametrize("kind, mime", [("PNG", "image/png"), ("JPEG", "image/jpeg")])
def test_image_bytes_are_embedded_as_given(kind, mime, validator):
    data = encoded(PIXELS, kind, **({"quality": 95} if kind == "JPEG" else {}))
    glb, parsed, primitive, uv = textured(data)
    validator.assert_valid(glb)
    assert image_bytes(parsed, primitive.material) == data and parsed.document["images"][0]["mimeType"] == mime
    # Split vertices take their uv along: compared corner by corner.
    assert np.array_equal(primitive.attributes["TEXCOORD_0"][primitive.indices], uv[CUBE_FACES.ravel()].astype(np.float32))
    assert primitive.material["pbrMetallicRoughness"]["baseColorFactor"] == [1, 1, 1, 1]
    texture = parsed.document["textures"][0]
    assert parsed.document["samplers"][texture["sampler"]] == {"magFilter": 9729, "minFilter": 9987}


@pytest.mark.parametrize("image, expected", [
    (PIXELS, PIXELS),
    (np.dstack([PIXELS, np.full(PIXELS.shape[:2], 128, np.uint8)]), None),  # RGBA
    (PIXELS[..., 0], None),  # grey
    (PIXELS[..., :1].astype(np.int64), PIXELS[..., 0]),  # one channel of wide integers
    (PIXELS / 255.0, PIXELS),  # floats in [0, 1]
])
def test_image_arrays_are_encoded_as_png(image, expected, validator):
    glb, parsed, primitive, _ = textured(image, normals="smooth")
    validator.assert_valid(glb)
    back = Image.open(io.BytesIO(image_bytes(parsed, primitive.material)))
    assert back.format == "PNG" and parsed.document["images"][0]["mimeType"] == "image/png"
    assert np.array_equal(np.asarray(back), image if expected is None else expected)


def test_textures_that_are_no_images_are_refused():
    uv = np.zeros((8, 2))
    with pytest.raises(ValueError, match="texture"):
        sa.mesh(CUBE, CUBE_FACES, uv=uv, texture=b"GIF89a" + bytes(20))
    with pytest.raises(ValueError, match=r"^texture must be the bytes of a PNG or JPEG image, or an image array"):
        sa.mesh(CUBE, CUBE_FACES, uv=uv, texture=np.zeros((2, 2, 5), np.uint8))
    with pytest.raises(ValueError, match=r"^texture given as floats must lie in \[0, 1\]"):
        sa.mesh(CUBE, CUBE_FACES, uv=uv, texture=np.full((2, 2), 2.0))


def test_translucent_colours_blend(validator):
    """A base colour's alpha below 1 makes the material translucent (glTF's alphaMode BLEND); otherwise
    glTF draws it opaque, whatever the alpha."""
    faces = CUBE_FACES
    veiled = sa.Scene().mesh(CUBE, faces, base_color=[0.2, 0.4, 1, 0.35], name="Veil")
    veiled.lines(CUBE, [[0, 1], [1, 3]], color=[1, 1, 1, 0.5], name="Edges").mesh(CUBE, faces, name="Solid")
    glb = veiled.glb()
    validator.assert_valid(glb, sa.mesh(CUBE, faces, base_color=[1, 1, 1, 0.5], encoding="compact"))
    materials = read_glb(glb).document["materials"]
    assert [m.get("alphaMode") for m in materials] == ["BLEND", "BLEND", None]
    compact = read_glb(sa.mesh(CUBE, faces, base_color=[1, 1, 1, 0.5], encoding="compact")).document["materials"]
    assert compact[0]["alphaMode"] == "BLEND"
