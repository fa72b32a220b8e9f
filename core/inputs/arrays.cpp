#include "inputs/arrays.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <type_traits>
#include <vector>

#include "inputs/simd.h"
#include "parallel/row_ranges.h"

namespace glb {

size_t element_size(ElementType type) {
    return visit_element_type(type, [](auto pointer) { return sizeof(*pointer); });
}

bool is_floating(ElementType type) { return type == ElementType::float32 || type == ElementType::float64; }

namespace {

template <typename T>
const T* elements_of(const ArrayView& view) {
    return static_cast<const T*>(view.data);
}

// A value as the file will hold it: float32, or NaN for an infinity or NaN.
// Sets beyond when a finite value lies beyond the float32 range.
template <typename T>
inline float as_float32(T value, bool& beyond) {
    if constexpr (std::is_same_v<T, float>) {
        (void)beyond;
        return value;
    } else if constexpr (std::is_same_v<T, double>) {
        const float narrow = to_float32(value);
        beyond = beyond || (std::isinf(narrow) && std::isfinite(value));
        return narrow;
    } else {
        (void)beyond;
        return float(value);  // every integer type lies within the float32 range
    }
}

[[noreturn]] void throw_not_finite(Field field, size_t index, size_t width, double value, bool beyond) {
    throw_value_error(field, beyond ? Problem::beyond_float32 : Problem::not_finite, index / width, index % width, value);
}

template <typename T>
void require_finite_elements(const T* values, size_t count, size_t width, Field field) {
    if constexpr (!std::is_floating_point_v<T>) {
        (void)values, (void)count, (void)width, (void)field;
    } else {
        for (size_t i = 0; i < count; ++i) {
            bool beyond = false;
            const float narrow = as_float32(values[i], beyond);
            if (!std::isfinite(narrow)) throw_not_finite(field, i, width, double(values[i]), beyond);
        }
    }
}

// Rows [first, last) of values.
template <typename T>
void scalar_extremes(const T* values, size_t first, size_t last, Field field, Extremes& extremes) {
    for (size_t row = first; row < last; ++row) {
        for (size_t axis = 0; axis < 3; ++axis) {
            bool beyond = false;
            const float v = as_float32(values[3 * row + axis], beyond);
            if (!std::isfinite(v)) throw_not_finite(field, 3 * row + axis, 3, double(values[3 * row + axis]), beyond);
            if (v < extremes.min[axis]) extremes.min[axis] = v;
            if (v > extremes.max[axis]) extremes.max[axis] = v;
        }
    }
}

#ifdef GLB_AVX2_PATHS
// Eight rows (24 floats, three registers) at a time; lane j of register k holds
// axis (8k + j) mod 3. A value that is not finite (or a float64 beyond the
// float32 range, infinite once rounded) makes the pass return false, for the
// scalar pass to find and name it. The last rows % 8 rows are the caller's.
struct ExtremesOfBlocks {
    __m256 low[3], high[3], bad;

    GLB_AVX2 ExtremesOfBlocks() {
        const __m256 infinity = _mm256_set1_ps(HUGE_VALF);
        for (int k = 0; k < 3; ++k) {
            low[k] = infinity;
            high[k] = _mm256_sub_ps(_mm256_setzero_ps(), infinity);
        }
        bad = _mm256_setzero_ps();
    }
    GLB_AVX2 void add(const __m256 block[3]) {
        const __m256 largest = _mm256_set1_ps(FLT_MAX);
        const __m256 magnitude = _mm256_castsi256_ps(_mm256_set1_epi32(0x7FFFFFFF));
        for (int k = 0; k < 3; ++k) {
            low[k] = _mm256_min_ps(low[k], block[k]);
            high[k] = _mm256_max_ps(high[k], block[k]);
            bad = _mm256_or_ps(bad, _mm256_cmp_ps(_mm256_and_ps(block[k], magnitude), largest, _CMP_NLE_UQ));
        }
    }
    // Folds the lanes into extremes, or returns false when a value was not finite.
    GLB_AVX2 bool finish(Extremes& extremes) const {
        if (_mm256_movemask_ps(bad) != 0) return false;
        alignas(32) float lanes[2][3][8];
        for (int k = 0; k < 3; ++k) {
            _mm256_store_ps(lanes[0][k], low[k]);
            _mm256_store_ps(lanes[1][k], high[k]);
        }
        for (int k = 0; k < 3; ++k) {
            for (int j = 0; j < 8; ++j) {
                const int axis = (8 * k + j) % 3;
                if (lanes[0][k][j] < extremes.min[axis]) extremes.min[axis] = lanes[0][k][j];
                if (lanes[1][k][j] > extremes.max[axis]) extremes.max[axis] = lanes[1][k][j];
            }
        }
        return true;
    }
};

GLB_AVX2 bool avx2_extremes(const float* values, size_t rows, Extremes& extremes) {
    ExtremesOfBlocks blocks;
    for (size_t block = 0; block < rows / 8; ++block) {
        const float* p = values + 24 * block;
        const __m256 v[3] = {_mm256_loadu_ps(p), _mm256_loadu_ps(p + 8), _mm256_loadu_ps(p + 16)};
        blocks.add(v);
    }
    return blocks.finish(extremes);
}

// The same for float64 rows, rounded to float32 first, four at a time.
GLB_AVX2 bool avx2_extremes_of_doubles(const double* values, size_t rows, Extremes& extremes) {
    ExtremesOfBlocks blocks;
    for (size_t block = 0; block < rows / 8; ++block) {
        const double* p = values + 24 * block;
        __m256 v[3];
        for (int k = 0; k < 3; ++k)
            v[k] = _mm256_set_m128(_mm256_cvtpd_ps(_mm256_loadu_pd(p + 8 * k + 4)), _mm256_cvtpd_ps(_mm256_loadu_pd(p + 8 * k)));
        blocks.add(v);
    }
    return blocks.finish(extremes);
}

// float64 to float32, four at a time (values checked already).
GLB_AVX2 size_t avx2_narrow(float* out, const double* in, size_t count) {
    size_t i = 0;
    for (; i + 4 <= count; i += 4) _mm_storeu_ps(out + i, _mm256_cvtpd_ps(_mm256_loadu_pd(in + i)));
    return i;
}

// Float colours in [0, 1] to round(c * 255), eight at a time; false when one lies outside.
GLB_AVX2 bool avx2_unorm8(uint8_t* out, const float* in, size_t count) {
    const __m256 zero = _mm256_setzero_ps();
    const __m256 one = _mm256_set1_ps(1.0f);
    const __m256 scale = _mm256_set1_ps(255.0f);
    const __m256 half = _mm256_set1_ps(0.5f);
    __m256 good = _mm256_castsi256_ps(_mm256_set1_epi32(-1));
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256 v = _mm256_loadu_ps(in + i);
        good = _mm256_and_ps(good, _mm256_and_ps(_mm256_cmp_ps(v, zero, _CMP_GE_OQ), _mm256_cmp_ps(v, one, _CMP_LE_OQ)));
        const __m256i q = _mm256_cvttps_epi32(_mm256_add_ps(_mm256_mul_ps(_mm256_max_ps(_mm256_min_ps(v, one), zero), scale), half));
        const __m128i words = _mm_packus_epi32(_mm256_castsi256_si128(q), _mm256_extracti128_si256(q, 1));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(words, words));
    }
    bool all = _mm256_movemask_ps(good) == 0xFF;
    for (; i < count; ++i) {
        all = all && in[i] >= 0.0f && in[i] <= 1.0f;
        out[i] = all ? uint8_t(in[i] * 255.0f + 0.5f) : 0;
    }
    return all;
}
#endif

}  // namespace

#ifdef GLB_AVX2_PATHS
bool has_avx2() {
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
}
#else
bool has_avx2() { return false; }
#endif

namespace {

// The extremes of rows [0, row_count) of rows, as row_extremes (signed zeros as found).
Extremes extremes_of_range(const ArrayView& rows, size_t row_count, Field field) {
    Extremes extremes{{HUGE_VALF, HUGE_VALF, HUGE_VALF}, {-HUGE_VALF, -HUGE_VALF, -HUGE_VALF}};
    bool done = false;
#ifdef GLB_AVX2_PATHS
    const size_t vectorised = row_count / 8 * 8;
    if (rows.type == ElementType::float32 && has_avx2()) {
        const float* values = elements_of<float>(rows);
        if (avx2_extremes(values, vectorised, extremes)) {
            scalar_extremes(values, vectorised, row_count, field, extremes);
            done = true;
        }
    } else if (rows.type == ElementType::float64 && has_avx2()) {
        const double* values = elements_of<double>(rows);
        if (avx2_extremes_of_doubles(values, vectorised, extremes)) {
            scalar_extremes(values, vectorised, row_count, field, extremes);
            done = true;
        }
    }
#endif
    if (!done) {
        visit_element_type(rows.type, [&](auto pointer) {
            using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
            scalar_extremes(elements_of<T>(rows), 0, row_count, field, extremes);
        });
    }
    return extremes;
}

}  // namespace

Extremes row_extremes(const ArrayView& rows, Field field) {
    const size_t row_count = rows.count / 3;
    // One range a hardware thread, as for_row_ranges splits them (the error of the lowest range leaves).
    const uint32_t threads = atom_thread_count(row_count);
    const size_t chunk = row_count / threads + (row_count % threads != 0);
    std::vector<Extremes> parts(threads, Extremes{{HUGE_VALF, HUGE_VALF, HUGE_VALF}, {-HUGE_VALF, -HUGE_VALF, -HUGE_VALF}});
    if (threads == 1) {
        parts[0] = extremes_of_range(rows, row_count, field);
    } else {
        for_row_ranges(row_count, threads, [&](size_t begin, size_t end) {
            parts[begin / chunk] = extremes_of_range(subview(rows, 3 * begin, 3 * (end - begin)), end - begin, field);
        });
    }
    Extremes extremes = parts[0];
    for (const Extremes& part : parts) {
        for (int axis = 0; axis < 3; ++axis) {
            extremes.min[axis] = std::min(extremes.min[axis], part.min[axis]);
            extremes.max[axis] = std::max(extremes.max[axis], part.max[axis]);
        }
    }
    for (int axis = 0; axis < 3; ++axis) {  // one spelling of zero, whatever the order of -0 and +0 seen
        if (extremes.min[axis] == 0.0f) extremes.min[axis] = 0.0f;
        if (extremes.max[axis] == 0.0f) extremes.max[axis] = 0.0f;
    }
    return extremes;
}

void require_finite_rows(const ArrayView& values, size_t width, Field field) {
    visit_element_type(values.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        require_finite_elements(elements_of<T>(values), values.count, width, field);
    });
}

void write_float32(float* out, const ArrayView& values) {
    if (values.count == 0) return;
    if (values.type == ElementType::float32) {
        std::memcpy(out, values.data, values.count * sizeof(float));
        return;
    }
    size_t first = 0;
#ifdef GLB_AVX2_PATHS
    if (values.type == ElementType::float64 && has_avx2()) first = avx2_narrow(out, elements_of<double>(values), values.count);
#endif
    visit_element_type(values.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        const T* in = elements_of<T>(values);
        bool beyond = false;
        for (size_t i = first; i < values.count; ++i) out[i] = as_float32(in[i], beyond);
    });
}

namespace {

// Integers as uint32, with whether every one lies in [0, limit): the loop only
// keeps the smallest and largest value, so that it vectorises. out may be null.
template <typename T>
inline bool convert_indices(uint32_t* out, const T* in, size_t count, uint64_t limit) {
    static_assert(std::is_integral_v<T>, "floats take the checked path");
    T low = 0, high = 0;
    for (size_t i = 0; i < count; ++i) {
        const T v = in[i];
        low = v < low ? v : low;
        high = v > high ? v : high;
        if (out != nullptr) out[i] = uint32_t(v);
    }
    if constexpr (std::is_signed_v<T>) {
        if (low < 0) return false;
    }
    return uint64_t(high) < limit;
}

#ifdef GLB_AVX2_PATHS
// The same loop, vectorised by the compiler for AVX2 (which compares 64-bit lanes).
template <typename T>
GLB_AVX2 bool avx2_convert_indices(uint32_t* out, const T* in, size_t count, uint64_t limit) {
    return convert_indices(out, in, count, limit);
}
#endif

}  // namespace

void read_indices(uint32_t* out, const ArrayView& values, size_t width, uint64_t limit, Field field) {
    const bool passed = limit != 0 && visit_element_type(values.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        if constexpr (std::is_integral_v<T>) {
#ifdef GLB_AVX2_PATHS
            if (has_avx2()) return avx2_convert_indices(out, elements_of<T>(values), values.count, limit);
#endif
            return convert_indices(out, elements_of<T>(values), values.count, limit);
        } else {
            return false;
        }
    });
    if (passed) return;
    // Floats, or a value out of range: the checked loop converts them or names the first bad one.
    if (out == nullptr) {
        read_checked_indices(values, width, limit, field, [](size_t, uint32_t) {});
    } else {
        read_checked_indices(values, width, limit, field, [out](size_t i, uint32_t v) { out[i] = v; });
    }
}

namespace {

// A colour value as float32 in [0, 1]: floats as they are, integers as 0..255.
template <typename T>
inline float unit_color(T value, bool& outside) {
    if constexpr (std::is_same_v<T, uint8_t>) {
        (void)outside;
        return float(value) / 255.0f;
    } else if constexpr (std::is_integral_v<T>) {
        outside = outside || value < 0 || uint64_t(value) > 255;
        return float(value) / 255.0f;
    } else {
        const float v = float(value);
        outside = outside || !(value >= 0 && value <= 1);  // NaN fails both
        return v;
    }
}

[[noreturn]] void throw_color_error(const ColorRows& colors, size_t row, Field field) {
    visit_element_type(colors.values.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        const T* in = static_cast<const T*>(colors.values.data) + row * colors.components;
        for (size_t c = 0; c < colors.components; ++c) {
            bool outside = false;
            unit_color(in[c], outside);
            if (!outside) continue;
            // Integers lie in 0..255 (limit 255), floats in [0, 1].
            if constexpr (std::is_integral_v<T>)
                throw_integer_error(field, Problem::outside_unit_range, row, c,
                                    std::conditional_t<std::is_signed_v<T>, int64_t, uint64_t>(in[c]), 255);
            throw_value_error(field, std::isfinite(double(in[c])) ? Problem::outside_unit_range : Problem::not_finite,
                              row, c, double(in[c]));
        }
    });
    throw_value_error(field, Problem::outside_unit_range, row, kNoIndex, 0);
}

#ifdef GLB_AVX2_PATHS
// Copies count floats and tells whether every one lies in [0, 1] (NaN does not).
__attribute__((target("avx2"))) bool avx2_copy_unit_floats(float* out, const float* in, size_t count) {
    const __m256 zero = _mm256_setzero_ps();
    const __m256 one = _mm256_set1_ps(1.0f);
    __m256 good = _mm256_castsi256_ps(_mm256_set1_epi32(-1));
    size_t i = 0;
    bool all = true;
    // Up to the first 32-byte boundary of the destination, then streaming stores:
    // the file is written once and not read back, so its lines need not be fetched.
    for (; i < count && reinterpret_cast<uintptr_t>(out + i) % 32 != 0; ++i) {
        out[i] = in[i];
        all = all && in[i] >= 0.0f && in[i] <= 1.0f;
    }
    for (; i + 8 <= count; i += 8) {
        const __m256 v = _mm256_loadu_ps(in + i);
        _mm256_stream_ps(out + i, v);
        good = _mm256_and_ps(good, _mm256_and_ps(_mm256_cmp_ps(v, zero, _CMP_GE_OQ), _mm256_cmp_ps(v, one, _CMP_LE_OQ)));
    }
    _mm_sfence();  // the streamed stores before anything that follows
    all = all && _mm256_movemask_ps(good) == 0xFF;
    for (; i < count; ++i) {
        out[i] = in[i];
        all = all && in[i] >= 0.0f && in[i] <= 1.0f;
    }
    return all;
}
#endif

// Finds the first row whose colours are outside [0, 1], for the error.
size_t first_bad_color_row(const ColorRows& colors) {
    size_t bad = 0;
    visit_element_type(colors.values.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        const T* in = static_cast<const T*>(colors.values.data);
        for (size_t i = 0; i < colors.values.count; ++i) {
            bool outside = false;
            unit_color(in[i], outside);
            if (outside) {
                bad = i / colors.components;
                return;
            }
        }
    });
    return bad;
}

}  // namespace

void write_colors_float32(float* out, size_t rows, const ColorRows& colors, uint32_t out_components, Field field) {
    const size_t in_components = colors.components;
    const bool repeated = colors.rows() == 1;
    if (repeated && rows > 1) {  // one colour for all: worked out once, then copied
        float row[4];
        write_colors_float32(row, 1, colors, out_components, field);
        for (size_t i = 0; i < rows; ++i) std::memcpy(out + i * out_components, row, out_components * sizeof(float));
        return;
    }
    if (colors.values.type == ElementType::float32 && !repeated && in_components == out_components) {
        const float* in = elements_of<float>(colors.values);
        bool good = false;
#ifdef GLB_AVX2_PATHS
        if (has_avx2()) {
            good = avx2_copy_unit_floats(out, in, rows * in_components);
        } else
#endif
        {
            good = true;
            for (size_t i = 0; i < rows * in_components; ++i) {
                out[i] = in[i];
                good = good && in[i] >= 0.0f && in[i] <= 1.0f;
            }
        }
        if (!good) throw_color_error(colors, first_bad_color_row(colors), field);
        return;
    }
    visit_element_type(colors.values.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        const T* in = elements_of<T>(colors.values);
        for (size_t row = 0; row < rows; ++row) {
            const size_t source = repeated ? 0 : row;
            const T* values = in + source * in_components;
            float* destination = out + row * out_components;
            bool outside = false;
            for (size_t c = 0; c < in_components; ++c) destination[c] = unit_color(values[c], outside);
            if (outside) throw_color_error(colors, source, field);
            if (out_components == 4 && in_components == 3) destination[3] = 1.0f;
        }
    });
}

void write_colors_unorm8(uint8_t* out, size_t stride, size_t rows, const ColorRows& colors, uint32_t out_components,
                         Field field) {
    const size_t in_components = colors.components;
    const bool repeated = colors.rows() == 1;
    if (repeated && rows > 1) {  // one colour for all: worked out once, then copied
        uint8_t row[8];
        write_colors_unorm8(row, stride, 1, colors, out_components, field);
        for (size_t i = 0; i < rows; ++i) std::memcpy(out + i * stride, row, stride);
        return;
    }
#ifdef GLB_AVX2_PATHS
    if (colors.values.type == ElementType::float32 && !repeated && in_components == 4 && stride == 4 && has_avx2()) {
        if (!avx2_unorm8(out, elements_of<float>(colors.values), 4 * rows))
            throw_color_error(colors, first_bad_color_row(colors), field);
        return;
    }
#endif
    visit_element_type(colors.values.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        const T* in = elements_of<T>(colors.values);
        for (size_t row = 0; row < rows; ++row) {
            const size_t source = repeated ? 0 : row;
            const T* values = in + source * in_components;
            uint8_t* destination = out + row * stride;
            if constexpr (std::is_same_v<T, uint8_t>) {
                std::memcpy(destination, values, in_components);
            } else if constexpr (std::is_integral_v<T>) {
                bool outside = false;
                for (size_t c = 0; c < in_components; ++c) {
                    unit_color(values[c], outside);
                    destination[c] = outside ? 0 : uint8_t(values[c]);
                }
                if (outside) throw_color_error(colors, source, field);
            } else {
                bool outside = false;
                for (size_t c = 0; c < in_components; ++c) {
                    const float v = unit_color(values[c], outside);
                    destination[c] = outside ? 0 : uint8_t(v * 255.0f + 0.5f);
                }
                if (outside) throw_color_error(colors, source, field);
            }
            size_t written = in_components;
            if (out_components == 4 && in_components == 3) destination[written++] = 255;
            for (; written < stride; ++written) destination[written] = 0;  // padding to the 4-byte stride
        }
    });
}

}  // namespace glb

namespace glb {

double element_as_double(const ArrayView& view, size_t i) {
    return visit_element_type(view.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        return double(static_cast<const T*>(view.data)[i]);
    });
}

}  // namespace glb

namespace glb {

ArrayView gather_rows(void* out, const ArrayView& values, size_t width, const uint32_t* rows, size_t count) {
    visit_element_type(values.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        const T* in = elements_of<T>(values);
        T* to = static_cast<T*>(out);
        for (size_t i = 0; i < count; ++i)
            for (size_t k = 0; k < width; ++k) to[i * width + k] = in[size_t(rows[i]) * width + k];
    });
    return ArrayView{out, count * width, values.type, values.given};
}

}  // namespace glb
