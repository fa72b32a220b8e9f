// KHR_mesh_quantization's compact attributes: positions as signed 16-bit
// normalised integers around their centre, which the node's transform
// restores, normals as signed 8-bit normalised integers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "inputs/arrays.h"
#include "document/gltf_document.h"

namespace glb {

// Positions as signed 16-bit normalised integers s around the centre of their
// extremes: p = centre + half_extent * s / 32767 per axis, which the node's
// translation (centre) and scale (half_extent) restore. Unsigned integers from
// the minimum would hold the same, but gltf-transform's quantize() and meshopt()
// squash such files into half of each axis; signed ones around the centre (as
// it writes its own) pass through it. Both numbers are finite in float32 for
// any float32 extremes: the half extent is at most FLT_MAX.
struct Quantization {
    double centre[3] = {0, 0, 0};                  // a float32 value
    double half_extent[3] = {1, 1, 1};             // 1 on a flat axis, where every s is 0
    double steps[3] = {32767, 32767, 32767};       // 32767 / half_extent: one unit of a coordinate in steps
    // The integers s may take: -32767 .. 32767, but for data at the float32
    // limits, where rounding away from the centre would restore a coordinate
    // beyond the float32 range (an infinity in a reader): there the last
    // integers round toward the centre (an error of up to one step).
    double lowest[3] = {-32767, -32767, -32767};
    double highest[3] = {32767, 32767, 32767};
};

constexpr const char* kQuantizationExtension = "KHR_mesh_quantization";
constexpr uint32_t kQuantizedPositionStride = 8;  // three int16 and two bytes of padding: 4-byte aligned
constexpr uint32_t kQuantizedNormalStride = 4;    // three int8 and one byte of padding
constexpr double kQuantizedPositionLimit = 32767;

// The quantisation of positions with these extremes: per axis (the error on each
// axis is then at most half of its extent / 65534), or with one half extent for
// all three axes (uniform: normals keep their directions under the node's scale).
Quantization quantization_of(const Extremes& extremes, bool uniform);

// s of one coordinate on one axis: round((p - centre) * 32767 / half_extent)
// (halves away from zero), within lowest .. highest.
inline int16_t quantize(float coordinate, const Quantization& quantization, int axis) {
    const double s = (double(coordinate) - quantization.centre[axis]) * quantization.steps[axis];
    if (!(s > quantization.lowest[axis])) return int16_t(quantization.lowest[axis]);
    if (s >= quantization.highest[axis]) return int16_t(quantization.highest[axis]);
    return int16_t(s + (s >= 0 ? 0.5 : -0.5));  // truncated toward zero
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

// The node transform that restores the positions: translation centre, scale half_extent.
void set_dequantization(gltf::Node& node, const Quantization& quantization);

// The accessor of quantised positions with these extremes: signed normalised
// 16-bit components, and its bounds (integers).
void set_quantized_positions(gltf::Accessor& accessor, const Extremes& extremes, const Quantization& quantization);

// A unit vector component as a signed normalised byte, round(v * 127).
inline int8_t snorm8(float value) {
    const float scaled = value * 127.0f;
    return int8_t(scaled + (scaled >= 0 ? 0.5f : -0.5f));  // rounded half away from zero, truncated toward it
}

}  // namespace glb
