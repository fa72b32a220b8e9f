#include "meshes/vertex_normals.h"

#include <cmath>
#include <type_traits>

#include "inputs/input_error.h"
#include "inputs/arrays.h"
#include "memory/large_memory.h"

namespace glb {

namespace {

// x, y, z of vertex i as the file holds it (float32), widened to double.
struct Vertices {
    const ArrayView& positions;
    void at(size_t i, double* out) const {
        for (size_t axis = 0; axis < 3; ++axis) out[axis] = to_float32(element_as_double(positions, 3 * i + axis));
    }
};

}  // namespace

void write_unit_normals(float* out, const ArrayView& normals) {
    const size_t vertices = normals.count / 3;
    for (size_t v = 0; v < vertices; ++v) {
        double n[3];
        for (size_t axis = 0; axis < 3; ++axis) {
            n[axis] = element_as_double(normals, 3 * v + axis);
            if (!std::isfinite(n[axis])) throw_value_error(Field::normals, Problem::not_finite, v, axis, n[axis]);
        }
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (!(length > 0)) throw_value_error(Field::normals, Problem::zero_length, v, kNoIndex, 0);
        if (!std::isfinite(length)) throw_value_error(Field::normals, Problem::beyond_float32, v, kNoIndex, length);
        for (size_t axis = 0; axis < 3; ++axis) out[3 * v + axis] = float(n[axis] / length);
    }
}

void write_area_weighted_normals(float* out, const ArrayView& positions, const uint32_t* faces, size_t face_count) {
    const size_t vertices = positions.count / 3;
    ScratchArray<double> sums = allocate_scratch<double>(3 * vertices);
    for (size_t i = 0; i < 3 * vertices; ++i) sums[i] = 0;
    const Vertices at{positions};
    for (size_t f = 0; f < face_count; ++f) {
        const uint32_t* corner = faces + 3 * f;
        double a[3], b[3], c[3];
        at.at(corner[0], a);
        at.at(corner[1], b);
        at.at(corner[2], c);
        const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const double w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        // The cross product: its length is twice the face's area.
        const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
        for (int k = 0; k < 3; ++k)
            for (int axis = 0; axis < 3; ++axis) sums[3 * size_t(corner[k]) + size_t(axis)] += n[axis];
    }
    for (size_t v = 0; v < vertices; ++v) {
        const double* n = &sums[3 * v];
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (length > 0 && std::isfinite(length)) {
            for (size_t axis = 0; axis < 3; ++axis) out[3 * v + axis] = float(n[axis] / length);
        } else {
            out[3 * v + 0] = 0;
            out[3 * v + 1] = 0;
            out[3 * v + 2] = 1;
        }
    }
}

}  // namespace glb

namespace glb {

namespace {

// The cross product of a face's edges (twice its area, along its normal), in float.
struct FaceNormals {
    ScratchArray<float> weighted;  // 3 per face
    ScratchArray<float> unit;      // 3 per face; 0, 0, 0 for a degenerate face
};

FaceNormals face_normals(const uint32_t* faces, size_t face_count, const ArrayView& positions) {
    FaceNormals normals{allocate_scratch<float>(3 * face_count), allocate_scratch<float>(3 * face_count)};
    const Vertices at{positions};
    for (size_t f = 0; f < face_count; ++f) {
        const uint32_t* corner = faces + 3 * f;
        double a[3], b[3], c[3];
        at.at(corner[0], a);
        at.at(corner[1], b);
        at.at(corner[2], c);
        const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const double w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        const bool usable = length > 0 && std::isfinite(length);
        for (int axis = 0; axis < 3; ++axis) {
            normals.weighted[3 * f + axis] = usable ? float(n[axis]) : 0.0f;
            normals.unit[3 * f + axis] = usable ? float(n[axis] / length) : 0.0f;
        }
    }
    return normals;
}

void unit_or_up(float* out, const double* n) {
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (length > 0 && std::isfinite(length)) {
        for (int axis = 0; axis < 3; ++axis) out[axis] = float(n[axis] / length);
    } else {
        out[0] = 0;
        out[1] = 0;
        out[2] = 1;
    }
}

}  // namespace

SplitVertices split_at_creases(uint32_t* faces, size_t face_count, const ArrayView& positions, double cos_crease) {
    const size_t vertices = positions.count / 3;
    const size_t corners = 3 * face_count;
    const FaceNormals normals = face_normals(faces, face_count, positions);

    // The corners around each vertex, as a compressed table: first[v] .. first[v + 1].
    ScratchArray<size_t> first = allocate_scratch<size_t>(vertices + 1);
    for (size_t v = 0; v <= vertices; ++v) first[v] = 0;
    for (size_t c = 0; c < corners; ++c) ++first[size_t(faces[c]) + 1];
    for (size_t v = 0; v < vertices; ++v) first[v + 1] += first[v];
    ScratchArray<size_t> around = allocate_scratch<size_t>(corners == 0 ? 1 : corners);
    {
        ScratchArray<size_t> next = allocate_scratch<size_t>(vertices + 1);
        for (size_t v = 0; v < vertices; ++v) next[v] = first[v];
        for (size_t c = 0; c < corners; ++c) around[next[faces[c]]++] = c;
    }

    // At most one split vertex per corner, plus one per vertex of no face.
    SplitVertices split;
    const size_t most = corners + vertices;
    split.source = allocate_scratch<uint32_t>(most == 0 ? 1 : most);
    split.normals = allocate_scratch<float>(3 * (most == 0 ? 1 : most));
    const float* weighted = normals.weighted.get();
    const float* unit = normals.unit.get();
    for (size_t v = 0; v < vertices; ++v) {
        const size_t begin = first[v], end = first[v + 1], own_first = split.count;
        if (begin == end) {
            split.source[split.count] = uint32_t(v);
            const double up[3] = {0, 0, 0};
            unit_or_up(&split.normals[3 * split.count++], up);
            continue;
        }
        for (size_t i = begin; i < end; ++i) {
            const size_t face = around[i] / 3;
            const float* u = unit + 3 * face;
            const bool degenerate = u[0] == 0 && u[1] == 0 && u[2] == 0;
            double sum[3] = {0, 0, 0};
            for (size_t j = begin; j < end; ++j) {
                const size_t other = around[j] / 3;
                const float* w = unit + 3 * other;
                const double cosine = double(u[0]) * w[0] + double(u[1]) * w[1] + double(u[2]) * w[2];
                // A face always counts for itself: the float unit normal's own cosine may fall below 1.
                if (!degenerate && other != face && cosine < cos_crease) continue;
                for (int axis = 0; axis < 3; ++axis) sum[axis] += weighted[3 * other + axis];
            }
            float n[3];
            unit_or_up(n, sum);
            size_t chosen = split.count;
            for (size_t k = own_first; k < split.count; ++k) {
                const float* m = &split.normals[3 * k];
                if (m[0] == n[0] && m[1] == n[1] && m[2] == n[2]) {
                    chosen = k;
                    break;
                }
            }
            if (chosen == split.count) {
                split.source[split.count] = uint32_t(v);
                for (int axis = 0; axis < 3; ++axis) split.normals[3 * split.count + axis] = n[axis];
                ++split.count;
            }
            faces[around[i]] = uint32_t(chosen);
        }
    }
    return split;
}

}  // namespace glb
