// Vertex normals of the checked meshes: given ones normalised to unit length,
// missing ones computed from the faces, smooth or split at creases.
#pragma once

#include <cstddef>
#include <cstdint>

#include "inputs/arrays.h"
#include "memory/large_memory.h"

namespace glb {

// Writes each given normal divided by its length (computed in double, then
// rounded to float32) as x, y, z floats. A normal of length 0, NaN or infinite
// throws InputError naming its vertex.
void write_unit_normals(float* out, const ArrayView& normals);

// Writes per-vertex normals computed from the triangles: the sum of the normals
// of the faces around each vertex, each weighted by the face's area, made unit
// length; (0, 0, 1) for a vertex of no face or of degenerate faces only.
// faces: vertex indices, three per triangle, all below the vertex count.
void write_area_weighted_normals(float* out, const ArrayView& positions, const uint32_t* faces, size_t face_count);

// Vertices split where faces meet at a crease: each corner of a face gets the
// area-weighted sum of the faces around its vertex that turn from it by at most
// the crease angle, and the corners of a vertex whose normals come out equal
// share one vertex. Vertices are numbered by the input vertex they copy, in
// input order (a vertex that needs no split keeps its place relative to the
// others); a vertex of no face keeps one copy, with the normal (0, 0, 1).
struct SplitVertices {
    size_t count = 0;                 // vertices after the split
    ScratchArray<uint32_t> source;    // the input vertex of each
    ScratchArray<float> normals;      // unit x, y, z of each
};

// faces (3 per triangle, checked below the vertex count of positions) are
// renumbered in place to the split vertices. cos_crease: the cosine of the
// largest angle between two faces that still share a normal (1 or just below
// it: every face its own normal; -1: smooth).
SplitVertices split_at_creases(uint32_t* faces, size_t face_count, const ArrayView& positions, double cos_crease);

}  // namespace glb
