#include "meshes/vertex_normals.h"

#include <cmath>
#include <type_traits>

#include "inputs/input_error.h"
#include "document/json_text.h"
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
