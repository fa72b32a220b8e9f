// The point cloud builders: the raw one (the native module's point_cloud_glb)
// and the checked part.
#include <cstring>

#include "document/builder_support.h"
#include "document/documents.h"
#include "encodings/quantization.h"
#include "glb_assembler.h"
#include "inputs/checked_inputs.h"
#include "parallel/row_ranges.h"
#include "scenes/parts.h"

namespace glb {

void check_input(const RawPointCloud& input) {
    require_finite(input.bounds.min, 3, Field::box_minimum);
    require_finite(input.bounds.max, 3, Field::box_maximum);
    check_payload_size({saturated_byte_length(input.position_float_count, sizeof(float)),
                        saturated_byte_length(input.color_float_count, sizeof(float))});
}

GlbPlan plan_glb(const RawPointCloud& input) {
    check_input(input);
    const uint64_t point_count = input.position_float_count / 3;
    // Compared with whole points, not with the float count: 4 floats a point is RGBA.
    const bool rgba = input.color_float_count == point_count * 4;
    PointShape shape;
    shape.count = point_count;
    shape.bounds = input.bounds;
    shape.color_type = rgba ? gltf::AccessorType::vec4 : gltf::AccessorType::vec3;
    shape.position_bytes = uint64_t(input.position_float_count) * sizeof(float);  // checked above
    shape.color_bytes = uint64_t(input.color_float_count) * sizeof(float);
    gltf::Document document;
    document.scene_nodes = {add_points(document, shape).node};
    return make_plan(document);
}

void write_glb(uint8_t* file, const GlbPlan& plan, const RawPointCloud& input) {
    write_planned(file, plan, [&](uint8_t* payload) {
        const size_t position_bytes = input.position_float_count * sizeof(float);
        const size_t color_bytes = input.color_float_count * sizeof(float);
        if (position_bytes != 0) std::memcpy(payload, input.positions, position_bytes);
        if (color_bytes != 0) std::memcpy(payload + position_bytes, input.colors, color_bytes);
    });
}

GlbBytes build_point_cloud_glb(const float* positions, size_t position_float_count, const float* colors,
                               size_t color_float_count, const Bounds3& bounds) {
    const RawPointCloud input{positions, position_float_count, colors, color_float_count, bounds};
    const GlbPlan plan = plan_glb(input);
    GlbBytes bytes(size_t(plan.file_size));
    write_glb(bytes.data(), plan, input);
    return bytes;
}

// ---------------------------------------------------------------------------
// The checked point cloud.

namespace {

const float kLightGrey[3] = {0.8f, 0.8f, 0.8f};

// The colours a point cloud writes: the caller's, or light grey for every point.
ColorRows point_colors(const PointCloud& input) {
    if (input.colors.given()) return resolved_colors(input.colors, input.positions.count / 3);
    return ColorRows{ArrayView{kLightGrey, 3, ElementType::float32}, 3};
}

class PointCloudLayout final : public PartLayout {
public:
    const PointCloud* input = nullptr;
    size_t point_count = 0;
    uint32_t color_components = 3;  // per point in the file
    Quantization quantization;      // compact only
    uint64_t position_offset = 0, color_offset = 0;

    void write(uint8_t* payload, uint32_t) const override {
        const ColorRows colors = point_colors(*input);
        const size_t points = point_count;
        if (input->encoding == Encoding::float32) {
            write_float32(reinterpret_cast<float*>(payload + position_offset), input->positions);
            write_colors_float32(reinterpret_cast<float*>(payload + color_offset), points, colors, colors.components,
                                 Field::colors);
            return;
        }
        for_row_ranges(points, [&](size_t begin, size_t end) {
            write_quantized_positions(payload + position_offset + kQuantizedPositionStride * begin, input->positions,
                                      begin, end - begin, quantization);
            write_colors_unorm8(payload + color_offset + 4 * begin, 4, end - begin, rows_from(colors, begin, end - begin),
                                colors.components, Field::colors);
        });
    }
};

}  // namespace

void check_part(const PointCloud& input) {
    check_rows_of_three(input.positions, Field::positions);
    point_colors(input);
}

uint64_t payload_estimate(const PointCloud& input) {
    const uint64_t points = input.positions.count / 3;
    const uint32_t components = point_colors(input).components;
    if (input.encoding == Encoding::compact) return saturated_byte_length(points, kQuantizedPositionStride + 4);
    return saturated_byte_length(points, 12 + 4 * components);
}

PlannedPart plan_part(gltf::Document& document, const PointCloud& input) {
    auto layout = std::make_unique<PointCloudLayout>();
    layout->input = &input;
    layout->point_count = input.positions.count / 3;
    layout->color_components = point_colors(input).components;
    const Extremes extremes = row_extremes(input.positions, Field::positions);
    const gltf::AccessorType color_type =
        layout->color_components == 4 ? gltf::AccessorType::vec4 : gltf::AccessorType::vec3;
    PlacedPoints placed;
    if (input.encoding == Encoding::float32) {
        PointShape shape;
        shape.node_name = "Points";
        shape.mesh_name = "PointCloud";
        shape.count = layout->point_count;
        shape.bounds = bounds_of(extremes);
        shape.color_type = color_type;
        shape.position_bytes = uint64_t(layout->point_count) * 12;
        shape.color_bytes = uint64_t(layout->point_count) * 4 * layout->color_components;
        placed = add_points(document, shape);
    } else {
        layout->quantization = quantization_of(extremes, false);
        placed = add_compact_points(document, "Points", "PointCloud", layout->point_count, extremes,
                                    layout->quantization, color_type);
    }
    layout->position_offset = placed.position_offset;
    layout->color_offset = placed.color_offset;
    return PlannedPart{placed.node, std::move(layout)};
}

}  // namespace glb
