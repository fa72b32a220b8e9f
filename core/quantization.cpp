#include "quantization.h"

#include <cmath>
#include <cstring>
#include <type_traits>

#include "json_text.h"

namespace glb {

Quantization quantization_of(const Extremes& extremes, bool uniform) {
    Quantization q;
    double largest = 0;
    for (int axis = 0; axis < 3; ++axis) {
        q.offset[axis] = extremes.min[axis];
        q.extent[axis] = double(extremes.max[axis]) - double(extremes.min[axis]);
        if (q.extent[axis] > largest) largest = q.extent[axis];
    }
    for (int axis = 0; axis < 3; ++axis) {
        if (uniform) q.extent[axis] = largest;
        if (!(q.extent[axis] > 0)) q.extent[axis] = 1;  // a flat axis: every q is 0
    }
    return q;
}

uint16_t quantize(float coordinate, const Quantization& quantization, int axis) {
    const double q = (double(coordinate) - quantization.offset[axis]) / quantization.extent[axis] * 65535.0;
    if (!(q > 0)) return 0;
    if (q >= 65535) return 65535;
    return uint16_t(std::floor(q + 0.5));
}

void write_quantized_positions(uint8_t* out, const ArrayView& positions, size_t first, size_t count,
                               const Quantization& quantization) {
    visit_element_type(positions.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        const T* in = static_cast<const T*>(positions.data) + 3 * first;
        for (size_t i = 0; i < count; ++i) {
            uint16_t row[4] = {0, 0, 0, 0};
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
        node.translation[axis] = quantization.offset[axis];
        node.scale[axis] = quantization.extent[axis];
    }
}

void set_quantized_bounds(gltf::Accessor& accessor, const Extremes& extremes, const Quantization& quantization) {
    accessor.bounds = gltf::BoundsKind::integers;
    for (int axis = 0; axis < 3; ++axis) {
        accessor.min[axis] = quantize(extremes.min[axis], quantization, axis);
        accessor.max[axis] = quantize(extremes.max[axis], quantization, axis);
    }
}

int8_t snorm8(float value) {
    const float scaled = value * 127.0f;
    return int8_t(scaled >= 0 ? std::floor(scaled + 0.5f) : -std::floor(-scaled + 0.5f));
}

}  // namespace glb
