// The record checks that the checked builders share: rows of three, colour
// rows, material factors, and the extremes as a box.
#pragma once

#include <cstddef>

#include "inputs/arrays.h"
#include "glb_assembler.h"

namespace glb {

// The number of x, y, z rows in positions (or normals): at least one, a whole
// number of rows. Throws InputError otherwise.
size_t check_rows_of_three(const ArrayView& values, Field field);

// The colour rows checked against the `rows` points or vertices they colour:
// float or uint8 values, 3 or 4 components, one row each or one for all.
ColorRows resolved_colors(const ColorRows& colors, size_t rows);

// Material factors: finite and within [0, 1].
void check_unit_factors(const double* values, size_t count, Field field);

Bounds3 bounds_of(const Extremes& extremes);

}  // namespace glb
