// The checked builders' input arrays: views of typed memory that a binding
// hands over as it finds it (float32 or float64 positions, uint8 or float
// colours, integers of any width for indices and ids), and the passes that
// check them while they are read or written into the file. Every check throws
// InputError naming the first offending row.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "inputs/input_error.h"

namespace glb {

enum class ElementType : uint8_t { float32, float64, int8, uint8, int16, uint16, int32, uint32, int64, uint64 };

size_t element_size(ElementType type);
bool is_floating(ElementType type);

// count elements of type at data, tightly packed in the host's byte order, at
// their natural alignment. An empty view (count 0) may have a null pointer.
// given: whether the caller gave the array; an optional input left out is not
// given, while one given empty is checked like any other (its count must fit).
struct ArrayView {
    const void* data = nullptr;
    size_t count = 0;
    ElementType type = ElementType::float32;
    bool given = false;
};

// Calls visit with a null pointer of the element type's C++ type, for loops
// written once for every type.
template <typename Visit>
decltype(auto) visit_element_type(ElementType type, Visit&& visit) {
    switch (type) {
        case ElementType::float32: return visit(static_cast<const float*>(nullptr));
        case ElementType::float64: return visit(static_cast<const double*>(nullptr));
        case ElementType::int8: return visit(static_cast<const int8_t*>(nullptr));
        case ElementType::uint8: return visit(static_cast<const uint8_t*>(nullptr));
        case ElementType::int16: return visit(static_cast<const int16_t*>(nullptr));
        case ElementType::uint16: return visit(static_cast<const uint16_t*>(nullptr));
        case ElementType::int32: return visit(static_cast<const int32_t*>(nullptr));
        case ElementType::uint32: return visit(static_cast<const uint32_t*>(nullptr));
        case ElementType::int64: return visit(static_cast<const int64_t*>(nullptr));
        case ElementType::uint64: break;
    }
    return visit(static_cast<const uint64_t*>(nullptr));
}

// value rounded to the nearest 32-bit float, infinite beyond the float range
// (IEEE 754 narrowing, spelled out because C++ leaves out-of-range conversions
// undefined).
inline float to_float32(double value) {
    // Halfway between FLT_MAX and the next power of two: from here on, rounding
    // to nearest (ties to even, and FLT_MAX is odd) gives infinity.
    constexpr double kOverflow = 0x1.ffffffp127;
    if (std::fabs(value) > FLT_MAX) {
        const float limit = std::fabs(value) >= kOverflow ? HUGE_VALF : FLT_MAX;
        return value < 0 ? -limit : limit;
    }
    return float(value);
}

// Per-axis extremes of x, y, z rows, as 32-bit floats.
struct Extremes {
    float min[3];
    float max[3];
};

// The exact float32 extremes of rows of three (the values as the file will hold
// them: float64 rounded to float32). A NaN or infinity, or a float64 beyond the
// float32 range, throws InputError at its row. rows.count must be a multiple of 3
// and at least 3. Float32 input is read with AVX2 where the processor has it.
Extremes row_extremes(const ArrayView& rows, Field field);

// Throws InputError at the first element that is not a finite number inside
// the float32 range (for float data; integers always pass). width: elements per row.
void require_finite_rows(const ArrayView& values, size_t width, Field field);

// Writes the values as float32 to out (float64 rounded; integers converted),
// tightly packed. The caller has checked them with row_extremes or require_finite_rows.
void write_float32(float* out, const ArrayView& values);

// Integer arrays (indices, ids, atomic numbers), checked to lie in [0, limit)
// (limit at most 2^32): negative values, fractions (of float data) and values
// at or above limit throw InputError at (row, column) of rows of `width`.
// store(i, value) receives each value that passes, in order.
template <typename Store>
void read_checked_indices(const ArrayView& values, size_t width, uint64_t limit, Field field, Store&& store);

// The same, writing the values as uint32 to out (when not null).
void read_indices(uint32_t* out, const ArrayView& values, size_t width, uint64_t limit, Field field);

// Colour rows handed to a checked builder: rows of `components` (3 or 4)
// values; one row for every point or vertex, or one row for all of them.
struct ColorRows {
    ArrayView values;         // float32 or float64 in [0, 1], or integers in 0..255
    uint32_t components = 3;  // 3 (RGB) or 4 (RGBA)
    size_t rows() const { return components == 0 ? 0 : values.count / components; }
    bool given() const { return values.given; }
};

// The colour rows [first, first + count) (one colour for all stays as it is).
inline ColorRows rows_from(const ColorRows& colors, size_t first, size_t count);

// Writes `rows` colours as float32 rows of out_components (3 or 4; RGB gains
// alpha 1), checking that every float lies in [0, 1] as it copies (InputError at
// the first row outside). A single colour row is repeated for every output row.
void write_colors_float32(float* out, size_t rows, const ColorRows& colors, uint32_t out_components, Field field);

// The same as normalised 8-bit values round(c * 255), each row at out + i * stride.
void write_colors_unorm8(uint8_t* out, size_t stride, size_t rows, const ColorRows& colors, uint32_t out_components,
                         Field field);

}  // namespace glb

namespace glb {

// The elements [first, first + count) of a view.
inline ArrayView subview(const ArrayView& view, size_t first, size_t count) {
    return ArrayView{static_cast<const uint8_t*>(view.data) + first * element_size(view.type), count, view.type,
                     view.given};
}

inline ColorRows rows_from(const ColorRows& colors, size_t first, size_t count) {
    if (colors.rows() <= 1) return colors;
    return ColorRows{subview(colors.values, first * colors.components, count * colors.components), colors.components};
}

// Element i of a view as a double (float64 exactly, float32 and integers as their value).
double element_as_double(const ArrayView& view, size_t i);

// Rows rows[0 .. count) of `width` elements each, copied in that order into
// `out` (count * width elements of the view's type), as a view of them.
ArrayView gather_rows(void* out, const ArrayView& values, size_t width, const uint32_t* rows, size_t count);

}  // namespace glb

#include <cmath>
#include <type_traits>

namespace glb {

template <typename Store>
void read_checked_indices(const ArrayView& values, size_t width, uint64_t limit, Field field, Store&& store) {
    visit_element_type(values.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        const T* in = static_cast<const T*>(values.data);
        for (size_t i = 0; i < values.count; ++i) {
            const T v = in[i];
            if constexpr (std::is_floating_point_v<T>) {
                if (!std::isfinite(v)) throw_value_error(field, Problem::not_integer, i / width, width == 1 ? kNoIndex : i % width, double(v));
                if (v < 0) throw_value_error(field, Problem::negative, i / width, width == 1 ? kNoIndex : i % width, double(v));
                if (v != std::floor(v)) throw_value_error(field, Problem::not_integer, i / width, width == 1 ? kNoIndex : i % width, double(v));
                if (double(v) >= double(limit))
                    throw_value_error(field, Problem::not_below_limit, i / width, width == 1 ? kNoIndex : i % width, double(v), limit);
            } else {
                // Integers keep their exact text in the error: beyond 2^53 a double would round them.
                using Wide = std::conditional_t<std::is_signed_v<T>, int64_t, uint64_t>;
                if constexpr (std::is_signed_v<T>) {
                    if (v < 0) throw_integer_error(field, Problem::negative, i / width, width == 1 ? kNoIndex : i % width, Wide(v));
                }
                if (uint64_t(v) >= limit)
                    throw_integer_error(field, Problem::not_below_limit, i / width, width == 1 ? kNoIndex : i % width, Wide(v), limit);
            }
            store(i, uint32_t(v));
        }
    });
}

}  // namespace glb
