#include "encodings/quantization.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "inputs/arrays.h"
#include "inputs/simd.h"

namespace glb {

Quantization quantization_of(const Extremes& extremes, bool uniform) {
    Quantization q;
    double largest = 0;
    for (int axis = 0; axis < 3; ++axis) {
        // The centre as a float32 (a reader's translation is one), so the half
        // extent reaches both extremes from it.
        const double low = extremes.min[axis], high = extremes.max[axis];
        q.centre[axis] = to_float32(0.5 * (low + high));
        q.half_extent[axis] = std::max(high - q.centre[axis], q.centre[axis] - low);
        largest = std::max(largest, q.half_extent[axis]);
    }
    // Restored in float32 (a product and a sum, each rounded), a coordinate must
    // stay below FLT_MAX with room for those roundings; 0 restores the centre itself.
    constexpr double kRestorable = FLT_MAX * (1 - 0x1p-20);
    for (int axis = 0; axis < 3; ++axis) {
        if (uniform) q.half_extent[axis] = largest;
        if (!(q.half_extent[axis] > 0)) q.half_extent[axis] = 1;  // a flat axis: every s is 0
        q.steps[axis] = kQuantizedPositionLimit / q.half_extent[axis];
        q.highest[axis] = std::clamp(std::floor((kRestorable - q.centre[axis]) * q.steps[axis]), 0.0, kQuantizedPositionLimit);
        q.lowest[axis] = std::clamp(std::ceil((-kRestorable - q.centre[axis]) * q.steps[axis]), -kQuantizedPositionLimit, 0.0);
    }
    return q;
}

namespace {

#ifdef GLB_AVX2_PATHS
// The quantisation's numbers per lane: x, y, z and a fourth lane for the padding.
struct QuantizationLanes {
    __m256d centre, steps, lowest, highest;

    GLB_AVX2 explicit QuantizationLanes(const Quantization& q)
        : centre(_mm256_setr_pd(q.centre[0], q.centre[1], q.centre[2], 0)),
          steps(_mm256_setr_pd(q.steps[0], q.steps[1], q.steps[2], 0)),
          lowest(_mm256_setr_pd(q.lowest[0], q.lowest[1], q.lowest[2], 0)),
          highest(_mm256_setr_pd(q.highest[0], q.highest[1], q.highest[2], 0)) {}
};

// One row x, y, z (and a lane to spare) quantised at once, in double as quantize() does.
GLB_AVX2 inline void quantize_row(uint8_t* out, __m256d row, const QuantizationLanes& q) {
    const __m256d sign = _mm256_set1_pd(-0.0);
    __m256d s = _mm256_mul_pd(_mm256_sub_pd(row, q.centre), q.steps);
    s = _mm256_min_pd(_mm256_max_pd(s, q.lowest), q.highest);
    // Halves away from zero: add 0.5 with the sign of s, then truncate.
    const __m256d half = _mm256_or_pd(_mm256_and_pd(s, sign), _mm256_set1_pd(0.5));
    const __m128i integers = _mm256_cvttpd_epi32(_mm256_add_pd(s, half));
    const __m128i words = _mm_packs_epi32(integers, integers);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_blend_epi16(words, _mm_setzero_si128(), 0x08));  // padding 0
}

// Rows of float32 (or float64, rounded to float32 first); the last row is left to the caller.
template <typename T>
GLB_AVX2 size_t avx2_quantize_rows(uint8_t* out, const T* in, size_t count, const Quantization& quantization) {
    const QuantizationLanes q(quantization);
    size_t i = 0;
    for (; i + 1 < count; ++i) {  // each load reads the next row's x as a fourth lane
        __m256d row;
        if constexpr (std::is_same_v<T, float>) row = _mm256_cvtps_pd(_mm_loadu_ps(in + 3 * i));
        else row = _mm256_cvtps_pd(_mm256_cvtpd_ps(_mm256_loadu_pd(in + 3 * i)));
        quantize_row(out + kQuantizedPositionStride * i, row, q);
    }
    return i;
}

// The gather's rows, read all over the place: fetched a few dozen ahead, as the float gather does.
GLB_AVX2 void avx2_quantize_gather(uint8_t* out, const float* positions, size_t row_count, const uint64_t* rows,
                                   uint64_t row_mask, size_t begin, size_t end, const Quantization& quantization) {
    const QuantizationLanes q(quantization);
    for (size_t i = begin; i < end; ++i) {
        if (i + 64 < end) _mm_prefetch(reinterpret_cast<const char*>(positions + 3 * size_t(rows[i + 64] & row_mask)), _MM_HINT_T0);
        const size_t index = size_t(rows[i] & row_mask);
        const float* p = positions + 3 * index;
        // Four floats at once, the fourth the next row's x, except for the array's last row.
        const __m256d row = index + 1 < row_count ? _mm256_cvtps_pd(_mm_loadu_ps(p)) : _mm256_setr_pd(p[0], p[1], p[2], 0);
        quantize_row(out + kQuantizedPositionStride * i, row, q);
    }
}
#endif

}  // namespace

void write_quantized_gather(uint8_t* out, const float* positions, size_t row_count, const uint64_t* rows,
                            uint64_t row_mask, size_t begin, size_t end, const Quantization& quantization) {
#ifdef GLB_AVX2_PATHS
    if (has_avx2()) return avx2_quantize_gather(out, positions, row_count, rows, row_mask, begin, end, quantization);
#else
    (void)row_count;  // only the vector loads need it
#endif
    for (size_t i = begin; i < end; ++i) {
        const float* p = positions + 3 * size_t(rows[i] & row_mask);
        const int16_t q[4] = {quantize(p[0], quantization, 0), quantize(p[1], quantization, 1),
                              quantize(p[2], quantization, 2), 0};
        std::memcpy(out + kQuantizedPositionStride * i, q, sizeof q);
    }
}

void write_quantized_positions(uint8_t* out, const ArrayView& positions, size_t first, size_t count,
                               const Quantization& quantization) {
    size_t done = 0;
#ifdef GLB_AVX2_PATHS
    if (has_avx2() && positions.type == ElementType::float32)
        done = avx2_quantize_rows(out, static_cast<const float*>(positions.data) + 3 * first, count, quantization);
    else if (has_avx2() && positions.type == ElementType::float64)
        done = avx2_quantize_rows(out, static_cast<const double*>(positions.data) + 3 * first, count, quantization);
#endif
    out += kQuantizedPositionStride * done;
    first += done;
    count -= done;
    visit_element_type(positions.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        const T* in = static_cast<const T*>(positions.data) + 3 * first;
        for (size_t i = 0; i < count; ++i) {
            int16_t row[4] = {0, 0, 0, 0};
            for (int axis = 0; axis < 3; ++axis) {
                const float value = std::is_same_v<T, double> ? to_float32(double(in[3 * i + axis])) : float(in[3 * i + axis]);
                row[axis] = quantize(value, quantization, axis);
            }
            std::memcpy(out + kQuantizedPositionStride * i, row, kQuantizedPositionStride);
        }
    });
}

void set_dequantization(gltf::Node& node, const Quantization& quantization) {
    node.has_transform = true;
    for (int axis = 0; axis < 3; ++axis) {
        node.translation[axis] = quantization.centre[axis];
        node.scale[axis] = quantization.half_extent[axis];
    }
}

void set_quantized_positions(gltf::Accessor& accessor, const Extremes& extremes, const Quantization& quantization) {
    accessor.component_type = gltf::ComponentType::int16;
    accessor.normalized = true;
    accessor.bounds = gltf::BoundsKind::integers;
    for (int axis = 0; axis < 3; ++axis) {
        accessor.min[axis] = quantize(extremes.min[axis], quantization, axis);
        accessor.max[axis] = quantize(extremes.max[axis], quantization, axis);
    }
}

}  // namespace glb
