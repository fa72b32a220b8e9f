#include <cstring>
#include <utility>

#include "glb_assembler.h"
#include "builder_support.h"

namespace glb {

namespace {

// One line; "%zu" counts and byte sizes, "%.6f" bounds, "%s" the colour type (see json_text.h).
constexpr char kPointCloudTemplate[] =
    "{\"asset\":{\"version\":\"2.0\",\"generator\":\"Tarn Native\"},\"scene\":0,\"scenes\":[{\"nodes\":[0]}],"
    "\"nodes\":[{\"mesh\":0,\"name\":\"Atoms\"}],\"meshes\":[{\"primitives\":[{\"attributes\":{\"POSITION\":0,"
    "\"COLOR_0\":1},\"mode\":0}],\"name\":\"AtomCloud\"}],\"accessors\":[{\"bufferView\":0,\"componentType\":5126,"
    "\"count\":%zu,\"type\":\"VEC3\",\"min\":[%.6f,%.6f,%.6f],\"max\":[%.6f,%.6f,%.6f]},{\"bufferView\":1,"
    "\"componentType\":5126,\"count\":%zu,\"type\":\"%s\"}],\"bufferViews\":[{\"buffer\":0,\"byteOffset\":0,"
    "\"byteLength\":%zu,\"target\":34962},{\"buffer\":0,\"byteOffset\":%zu,\"byteLength\":%zu,\"target\":34962}],"
    "\"buffers\":[{\"byteLength\":%zu}]}";

}  // namespace

GlbBytes build_point_cloud_glb(const float* positions, size_t position_float_count, const float* colors,
                               size_t color_float_count, const Bounds3& bounds) {
    GlbBytesOutput output;
    build_point_cloud_glb(output, positions, position_float_count, colors, color_float_count, bounds);
    return std::move(output.bytes);
}

void check_point_cloud_inputs(size_t position_float_count, size_t color_float_count, const Bounds3& bounds) {
    require_finite(bounds.min, 3, "vmin");
    require_finite(bounds.max, 3, "vmax");
    check_payload_size({saturated_byte_length(position_float_count, sizeof(float)),
                        saturated_byte_length(color_float_count, sizeof(float))});
}

void build_point_cloud_glb(GlbOutput& output, const float* positions, size_t position_float_count,
                           const float* colors, size_t color_float_count, const Bounds3& bounds) {
    check_point_cloud_inputs(position_float_count, color_float_count, bounds);

    const size_t point_count = position_float_count / 3;
    // Compared with whole points, not with the float count: 4 floats a point is RGBA.
    const char* color_type = color_float_count == point_count * 4 ? "VEC4" : "VEC3";
    const size_t position_bytes = position_float_count * sizeof(float);  // checked above
    const size_t color_bytes = color_float_count * sizeof(float);
    const size_t payload_bytes = position_bytes + color_bytes;

    const JsonDocument<2048> json(
        kPointCloudTemplate,
        {point_count, TemplateValue::bound(bounds.min[0]), TemplateValue::bound(bounds.min[1]),
         TemplateValue::bound(bounds.min[2]), TemplateValue::bound(bounds.max[0]), TemplateValue::bound(bounds.max[1]),
         TemplateValue::bound(bounds.max[2]), point_count, color_type, position_bytes, position_bytes, color_bytes,
         payload_bytes});
    uint8_t* payload = start_glb(output, json.data(), json.size(), payload_bytes);
    if (position_bytes != 0) std::memcpy(payload, positions, position_bytes);
    if (color_bytes != 0) std::memcpy(payload + position_bytes, colors, color_bytes);
}

}  // namespace glb
