#include "inputs/checked_inputs.h"

#include <cmath>

namespace glb {

size_t check_rows_of_three(const ArrayView& values, Field field) {
    if (values.count % 3 != 0) throw_count_error(field, Problem::not_whole_rows, values.count, 3);
    if (values.count == 0) throw_count_error(field, Problem::empty, 0, 1);
    return values.count / 3;
}

ColorRows resolved_colors(const ColorRows& colors, size_t rows) {
    ColorRows resolved = colors;
    const size_t count = colors.values.count;
    if (resolved.components != 3 && resolved.components != 4)
        throw_count_error(Field::colors, Problem::not_whole_rows, count, resolved.components);
    if (count % resolved.components != 0) throw_count_error(Field::colors, Problem::not_whole_rows, count, resolved.components);
    const size_t given = count / resolved.components;
    if (given != 1 && given != rows) throw_count_error(Field::colors, Problem::count_mismatch, given, rows);
    return resolved;
}

void check_unit_factors(const double* values, size_t count, Field field) {
    for (size_t i = 0; i < count; ++i) {
        const size_t component = count == 1 ? kNoIndex : i;
        if (!std::isfinite(values[i])) throw_value_error(field, Problem::not_finite, kNoIndex, component, values[i]);
        if (values[i] < 0 || values[i] > 1)
            throw_value_error(field, Problem::outside_unit_range, kNoIndex, component, values[i]);
    }
}

Bounds3 bounds_of(const Extremes& extremes) {
    Bounds3 bounds{};
    for (int axis = 0; axis < 3; ++axis) {
        bounds.min[axis] = extremes.min[axis];
        bounds.max[axis] = extremes.max[axis];
    }
    return bounds;
}

}  // namespace glb
