// The line set part: segments between pairs of points (LINES, mode 1), or one
// line through every point in order (LINE_STRIP, mode 3), with colours per
// point or the material's colour.
#include <cstring>

#include "document/builder_support.h"
#include "document/documents.h"
#include "encodings/quantization.h"
#include "inputs/checked_inputs.h"
#include "parallel/row_ranges.h"
#include "scenes/parts.h"

namespace glb {

namespace {

using gltf::Accessor;
using gltf::AccessorType;
using gltf::BufferView;
using gltf::ComponentType;
using gltf::Target;

class LineSetLayout final : public PartLayout {
public:
    const LineSet* input = nullptr;
    size_t point_count = 0;
    bool has_colors = false;
    ColorRows colors;
    Quantization quantization;  // compact
    uint64_t position_offset = 0, color_offset = 0, index_offset = 0;

    void write(uint8_t* payload, uint32_t) const override {
        const size_t points = point_count;
        if (input->segments.given)
            read_indices(reinterpret_cast<uint32_t*>(payload + index_offset), input->segments, 2, points, Field::segments);
        if (input->encoding == Encoding::float32) {
            write_float32(reinterpret_cast<float*>(payload + position_offset), input->positions);
            if (has_colors)
                write_colors_float32(reinterpret_cast<float*>(payload + color_offset), points, colors, 4, Field::colors);
            return;
        }
        for_row_ranges(points, [&](size_t begin, size_t end) {
            write_quantized_positions(payload + position_offset + kQuantizedPositionStride * begin, input->positions,
                                      begin, end - begin, quantization);
            if (has_colors)
                write_colors_unorm8(payload + color_offset + 4 * begin, 4, end - begin,
                                    rows_from(colors, begin, end - begin), 4, Field::colors);
        });
    }
};

uint64_t line_vertex_bytes(const LineSet& input) {
    const bool compact = input.encoding == Encoding::compact;
    return (compact ? kQuantizedPositionStride : 12) + (input.colors.given() ? (compact ? 4 : 16) : 0);
}

}  // namespace

void check_part(const LineSet& input) {
    const size_t points = check_rows_of_three(input.positions, Field::positions);
    if (input.segments.given) {
        if (input.segments.count % 2 != 0) throw_count_error(Field::segments, Problem::not_whole_rows, input.segments.count, 2);
        if (input.segments.count == 0) throw_count_error(Field::segments, Problem::empty, 0, 1);
    } else if (points < 2) {
        throw_count_error(Field::positions, Problem::too_few, points, 2);  // a line needs two points
    }
    if (input.colors.given()) resolved_colors(input.colors, points);
    if (input.has_color) check_unit_factors(input.color, 4, Field::color);
}

uint64_t payload_estimate(const LineSet& input) {
    return check_payload_size({saturated_byte_length(input.positions.count / 3, line_vertex_bytes(input)),
                               saturated_byte_length(input.segments.count, 4)},
                              0);
}

PlannedPart plan_part(gltf::Document& document, const LineSet& input) {
    auto owned = std::make_unique<LineSetLayout>();
    LineSetLayout& layout = *owned;
    layout.input = &input;
    layout.point_count = input.positions.count / 3;
    layout.has_colors = input.colors.given();
    if (layout.has_colors) layout.colors = resolved_colors(input.colors, layout.point_count);
    const Extremes extremes = row_extremes(input.positions, Field::positions);
    const bool compact = input.encoding == Encoding::compact;
    const uint64_t points = layout.point_count;

    Accessor positions;
    positions.count = points;
    if (compact) {
        document.require(kQuantizationExtension);
        layout.quantization = quantization_of(extremes, false);
        layout.position_offset = document.reserve(points * kQuantizedPositionStride);
        positions.buffer_view = document.add(
            BufferView{layout.position_offset, points * kQuantizedPositionStride, kQuantizedPositionStride, Target::vertices});
        set_quantized_positions(positions, extremes, layout.quantization);
    } else {
        layout.position_offset = document.reserve(points * 12);
        positions.buffer_view = document.add(BufferView{layout.position_offset, points * 12, 0, Target::vertices});
        positions.bounds = gltf::BoundsKind::floats;
        const Bounds3 bounds = bounds_of(extremes);
        for (int axis = 0; axis < 3; ++axis) {
            positions.min[axis] = bounds.min[axis];
            positions.max[axis] = bounds.max[axis];
        }
    }
    gltf::Primitive lines;
    lines.attributes = {{"POSITION", document.add(positions)}};
    if (layout.has_colors) {
        const uint64_t bytes = points * (compact ? 4 : 16);
        layout.color_offset = document.reserve(bytes);
        Accessor colors;
        colors.buffer_view = document.add(BufferView{layout.color_offset, bytes, compact ? 4u : 0u, Target::vertices});
        colors.count = points;
        colors.type = AccessorType::vec4;
        if (compact) {
            colors.component_type = ComponentType::uint8;
            colors.normalized = true;
        }
        lines.attributes.push_back({"COLOR_0", document.add(colors)});
    }
    if (input.segments.given) {
        const uint64_t bytes = uint64_t(input.segments.count) * 4;
        layout.index_offset = document.reserve(bytes);
        Accessor indices;
        indices.buffer_view = document.add(BufferView{layout.index_offset, bytes, 0, Target::indices});
        indices.component_type = ComponentType::uint32;
        indices.count = input.segments.count;
        indices.type = AccessorType::scalar;
        lines.indices = document.add(indices);
        lines.mode = 1;
    } else {
        lines.mode = 3;
    }
    gltf::Material material;
    const double white[4] = {1, 1, 1, 1};
    const LineSet defaults;
    // With colours per point, white: they multiply the material's colour and so show as given.
    const double* color = input.has_color ? input.color : layout.has_colors ? white : defaults.color;
    for (int i = 0; i < 4; ++i) material.base_color[i] = color[i];
    material.blend = color[3] < 1;
    material.roughness = 1;
    lines.material = document.add(material);
    gltf::Node node;
    node.mesh = document.add(gltf::Mesh{{lines}, "LineSet"});
    node.name = "Lines";
    if (compact) set_dequantization(node, layout.quantization);
    return PlannedPart{document.add(node), std::move(owned)};
}

}  // namespace glb
