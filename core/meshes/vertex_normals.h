// Vertex normals of the checked meshes: given ones normalised to unit length,
// missing ones computed from the faces, smooth or split at creases. The
// computed ones come out the same, byte for byte, on any number of threads.
#pragma once

#include <cstddef>
#include <cstdint>

#include "inputs/arrays.h"
#include "memory/large_memory.h"

namespace glb {

// Writes each given normal divided by its length (computed in double, then
// rounded to float32) as x, y, z floats. Any finite vector other than zero
// passes, however short or long: one whose squared length leaves the double
// range is first scaled by a power of two (exactly). A NaN or an infinity
// throws InputError not_finite at its row and column, a zero vector zero_length
// at its row (rows counted from the view's start).
void write_unit_normals(float* out, const ArrayView& normals);

// Writes per-vertex normals computed from the triangles: the sum of the normals
// of the faces around each vertex, each weighted by the face's area, made unit
// length; (0, 0, 1) for a vertex of no face or of degenerate faces only. Each
// vertex sums its faces in face order, whatever the thread count (0: by the
// vertex count). faces: vertex indices, three per triangle, all below the
// vertex count of positions (float32 or float64 rows, read as float32).
void write_area_weighted_normals(float* out, const ArrayView& positions, const uint32_t* faces, size_t face_count,
                                 uint32_t thread_count);

// Vertices split where faces meet at a crease. Each corner of a face gets the
// area-weighted sum of the faces around its vertex that turn from its own face
// by at most the crease angle (a degenerate face's corner: of all of them), and
// the corners of a vertex whose normals come out equal share one vertex. A
// vertex of more than kPairwiseCorners corners (the apex of a fan or a cone)
// is split by the edges around it instead, in time n log n rather than n^2:
// two of its faces that share an edge and turn by at most the crease angle
// fall into one group (and so do the groups they join), and each corner gets
// its group's sum. Vertices are numbered by the input vertex they copy, in
// input order (the copies of one vertex in the order of its first corners); a
// vertex of no face keeps one copy, with the normal (0, 0, 1). Sums are added
// in corner order: a vertex that needs no split has its smooth normal, as
// write_area_weighted_normals makes it. Vertices whose faces all lie within
// half the angle of that normal are known to need none without a look at
// their faces' pairs: on a smooth surface the split costs little more than
// the smooth normals.
constexpr size_t kPairwiseCorners = 64;

struct SplitVertices {
    size_t count = 0;                 // vertices after the split
    ScratchArray<uint32_t> source;    // the input vertex of each; null when no vertex was split
    ScratchArray<float> normals;      // unit x, y, z of each
};

// faces (3 per triangle, checked below the vertex count of positions) are
// renumbered in place to the split vertices. cos_crease: the cosine of the
// largest angle between two faces that still share a normal (1 or just below
// it: every face its own normal; -1: smooth). The same split on any number of
// threads (0: by the vertex count).
SplitVertices split_at_creases(uint32_t* faces, size_t face_count, const ArrayView& positions, double cos_crease,
                               uint32_t thread_count);

}  // namespace glb
