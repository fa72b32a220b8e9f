// Vertex normals of the checked meshes: given ones normalised to unit length,
// missing ones computed from the faces.
#pragma once

#include <cstddef>
#include <cstdint>

#include "inputs/arrays.h"

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

}  // namespace glb
