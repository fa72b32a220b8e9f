// KHR_mesh_quantization's compact attributes: positions as unsigned 16-bit
// normalised integers that the node's transform restores, normals as signed
// 8-bit normalised integers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "inputs/arrays.h"
#include "document/gltf_document.h"

namespace glb {

// Positions as unsigned 16-bit normalised integers q: p = offset + extent * q / 65535
// per axis, which the node's translation (offset) and scale (extent) restore.
struct Quantization {
    double offset[3] = {0, 0, 0};
    double extent[3] = {1, 1, 1};             // 1 on a flat axis, where every q is 0
    double steps[3] = {65535, 65535, 65535};  // 65535 / extent: what one unit of a coordinate is in steps
};

constexpr const char* kQuantizationExtension = "KHR_mesh_quantization";
constexpr uint32_t kQuantizedPositionStride = 8;  // three uint16 and two bytes of padding: 4-byte aligned
constexpr uint32_t kQuantizedNormalStride = 4;    // three int8 and one byte of padding

// The quantisation of positions with these extremes: per axis (the error on each
// axis is then at most half of its extent / 65535), or with one extent for all
// three axes (uniform: normals keep their directions under the node's scale).
Quantization quantization_of(const Extremes& extremes, bool uniform);

// A compact file restores positions with the node's scale, a float32 for its
// readers: an extent beyond the float32 range throws InputError
// (span_beyond_float32) naming the field and the axis.
void require_float32_span(const Quantization& quantization, Field field);

// q of one coordinate on one axis: round((p - offset) * 65535 / extent), within 0 .. 65535.
inline uint16_t quantize(float coordinate, const Quantization& quantization, int axis) {
    const double q = (double(coordinate) - quantization.offset[axis]) * quantization.steps[axis];
    if (!(q > 0)) return 0;
    if (q >= 65535) return 65535;
    return uint16_t(q + 0.5);  // rounded half up: q is not negative here
}

// Writes rows [first, first + count) of x, y, z positions quantised, one
// kQuantizedPositionStride-byte row each (padding zero).
void write_quantized_positions(uint8_t* out, const ArrayView& positions, size_t first, size_t count,
                               const Quantization& quantization);

// Writes the float32 x, y, z rows at positions + 3 * rows[i] (rows[i] masked by
// row_mask: an atom entry's index bits; positions holds row_count rows)
// quantised, one kQuantizedPositionStride-byte row each, for i in [begin, end):
// the atoms' gather in sorted order.
void write_quantized_gather(uint8_t* out, const float* positions, size_t row_count, const uint64_t* rows,
                            uint64_t row_mask, size_t begin, size_t end, const Quantization& quantization);

// The node transform that restores the positions: translation offset, scale extent.
void set_dequantization(gltf::Node& node, const Quantization& quantization);

// The accessor bounds (integers) of quantised positions with these extremes.
void set_quantized_bounds(gltf::Accessor& accessor, const Extremes& extremes, const Quantization& quantization);

// A unit vector component as a signed normalised byte, round(v * 127).
inline int8_t snorm8(float value) {
    const float scaled = value * 127.0f;
    return int8_t(scaled + (scaled >= 0 ? 0.5f : -0.5f));  // rounded half away from zero, truncated toward it
}

}  // namespace glb
