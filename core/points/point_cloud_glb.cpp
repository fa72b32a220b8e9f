// The point cloud builders: the raw one (the native module's point_cloud_glb)
// and the checked one.
#include <cstring>

#include "document/builder_support.h"
#include "inputs/checked_inputs.h"
#include "document/documents.h"
#include "glb_assembler.h"
#include "encodings/quantization.h"
#include "parallel/row_ranges.h"

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
    const uint64_t position_bytes = uint64_t(input.position_float_count) * sizeof(float);  // checked above
    const uint64_t color_bytes = uint64_t(input.color_float_count) * sizeof(float);
    PointDocument shape;
    shape.count = point_count;
    shape.bounds = input.bounds;
    shape.color_type = rgba ? gltf::AccessorType::vec4 : gltf::AccessorType::vec3;
    shape.position_bytes = position_bytes;
    shape.color_bytes = color_bytes;
    return make_plan(point_document(shape), position_bytes + color_bytes);
}

void write_glb(uint8_t* file, const GlbPlan& plan, const RawPointCloud& input) {
    uint8_t* payload = start_glb(file, plan);
    const size_t position_bytes = input.position_float_count * sizeof(float);
    const size_t color_bytes = input.color_float_count * sizeof(float);
    if (position_bytes != 0) std::memcpy(payload, input.positions, position_bytes);
    if (color_bytes != 0) std::memcpy(payload + position_bytes, input.colors, color_bytes);
}

GlbBytes build_glb(const RawPointCloud& input) { return build_planned(input); }

GlbBytes build_point_cloud_glb(const float* positions, size_t position_float_count, const float* colors,
                               size_t color_float_count, const Bounds3& bounds) {
    return build_glb(RawPointCloud{positions, position_float_count, colors, color_float_count, bounds});
}

// ---------------------------------------------------------------------------
// The checked point cloud.

namespace {

const float kLightGrey[3] = {0.8f, 0.8f, 0.8f};

// The colours a point cloud writes: the caller's, or light grey for every point.
ColorRows point_colors(const PointCloud& input) {
    if (input.colors.values.count != 0) return resolved_colors(input.colors, input.positions.count / 3);
    return ColorRows{ArrayView{kLightGrey, 3, ElementType::float32}, 3};
}

uint64_t position_bytes(const PointCloud& input, size_t points) {
    return input.encoding == Encoding::compact ? uint64_t(points) * kQuantizedPositionStride : uint64_t(points) * 12;
}

uint64_t color_bytes(const PointCloud& input, size_t points, uint32_t components) {
    return input.encoding == Encoding::compact ? uint64_t(points) * 4 : uint64_t(points) * 4 * components;
}

}  // namespace

void check_input(const PointCloud& input) {
    const size_t points = check_rows_of_three(input.positions, Field::positions);
    const ColorRows colors = point_colors(input);
    check_payload_size({position_bytes(input, points), color_bytes(input, points, colors.components)}, 0);
}

PointCloudPlan plan_glb(const PointCloud& input) {
    check_input(input);
    PointCloudPlan plan;
    plan.point_count = input.positions.count / 3;
    const ColorRows colors = point_colors(input);
    plan.color_components = colors.components;
    const Extremes extremes = row_extremes(input.positions, Field::positions);
    const uint64_t positions = position_bytes(input, plan.point_count);
    const uint64_t color_length = color_bytes(input, plan.point_count, colors.components);
    const gltf::AccessorType color_type = colors.components == 4 ? gltf::AccessorType::vec4 : gltf::AccessorType::vec3;
    gltf::Document document;
    if (input.encoding == Encoding::float32) {
        PointDocument shape;
        shape.node_name = "Points";
        shape.mesh_name = "PointCloud";
        shape.count = plan.point_count;
        shape.bounds = bounds_of(extremes);
        shape.color_type = color_type;
        shape.position_bytes = positions;
        shape.color_bytes = color_length;
        document = point_document(shape);
    } else {
        plan.quantization = quantization_of(extremes, false);
        document = compact_point_document("Points", "PointCloud", plan.point_count, extremes, plan.quantization,
                                          color_type, positions, color_length);
    }
    static_cast<GlbPlan&>(plan) = make_plan(document, positions + color_length);
    return plan;
}

void write_glb(uint8_t* file, const PointCloudPlan& plan, const PointCloud& input) {
    uint8_t* payload = start_glb(file, plan);
    const ColorRows colors = point_colors(input);
    const size_t points = plan.point_count;
    if (input.encoding == Encoding::float32) {
        write_float32(reinterpret_cast<float*>(payload), input.positions);
        write_colors_float32(reinterpret_cast<float*>(payload + 12 * points), points, colors, colors.components,
                             Field::colors);
    } else {
        uint8_t* color_rows = payload + kQuantizedPositionStride * points;
        for_row_ranges(points, [&](size_t begin, size_t end) {
            write_quantized_positions(payload + kQuantizedPositionStride * begin, input.positions, begin, end - begin,
                                      plan.quantization);
            write_colors_unorm8(color_rows + 4 * begin, 4, end - begin, rows_from(colors, begin, end - begin),
                                colors.components, Field::colors);
        });
    }
}

GlbBytes build_glb(const PointCloud& input) { return build_planned(input); }

}  // namespace glb
