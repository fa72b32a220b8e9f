// The raw mesh builder: the native module's mesh_glb.
#include <cmath>
#include <cstring>

#include "builder_support.h"
#include "documents.h"
#include "glb_assembler.h"

namespace glb {

namespace {

bool has_colors(const RawMesh& input) { return input.colors != nullptr && input.color_float_count != 0; }

}  // namespace

void check_input(const RawMesh& input) {
    require_finite(input.bounds.min, 3, Field::box);
    // The maximum is the box's components 3 to 5: named so.
    for (int axis = 0; axis < 3; ++axis)
        if (!std::isfinite(input.bounds.max[axis]))
            throw_value_error(Field::box, Problem::not_finite, kNoIndex, size_t(3 + axis), input.bounds.max[axis]);
    require_finite(input.material.base_color, 4, Field::base_color);
    require_finite(&input.material.metallic, 1, Field::metallic);
    require_finite(&input.material.roughness, 1, Field::roughness);
    require_finite(input.material.emissive, 3, Field::emissive);
    check_payload_size({saturated_byte_length(input.position_float_count, sizeof(float)),
                        saturated_byte_length(input.normal_float_count, sizeof(float)),
                        saturated_byte_length(has_colors(input) ? input.color_float_count : 0, sizeof(float)),
                        saturated_byte_length(input.index_count, sizeof(uint32_t))});
}

GlbPlan plan_glb(const RawMesh& input) {
    check_input(input);
    MeshDocument shape;
    shape.vertex_count = input.position_float_count / 3;
    shape.index_count = input.index_count;
    shape.bounds = input.bounds;
    shape.material = input.material;
    shape.has_colors = has_colors(input);
    shape.position_bytes = uint64_t(input.position_float_count) * sizeof(float);  // checked above
    shape.normal_bytes = uint64_t(input.normal_float_count) * sizeof(float);
    shape.color_bytes = shape.has_colors ? uint64_t(input.color_float_count) * sizeof(float) : 0;
    shape.index_bytes = uint64_t(input.index_count) * sizeof(uint32_t);
    const gltf::Document document = mesh_document(shape);
    return make_plan(document, document.buffer_length);
}

void write_glb(uint8_t* file, const GlbPlan& plan, const RawMesh& input) {
    uint8_t* out = start_glb(file, plan);
    const size_t position_bytes = input.position_float_count * sizeof(float);
    const size_t normal_bytes = input.normal_float_count * sizeof(float);
    const size_t color_bytes = has_colors(input) ? input.color_float_count * sizeof(float) : 0;
    const size_t index_bytes = input.index_count * sizeof(uint32_t);
    if (position_bytes != 0) std::memcpy(out, input.positions, position_bytes);
    if (normal_bytes != 0) std::memcpy(out + position_bytes, input.normals, normal_bytes);
    if (color_bytes != 0) std::memcpy(out + position_bytes + normal_bytes, input.colors, color_bytes);
    if (index_bytes != 0) std::memcpy(out + position_bytes + normal_bytes + color_bytes, input.indices, index_bytes);
}

GlbBytes build_glb(const RawMesh& input) { return build_planned(input); }

GlbBytes build_mesh_glb(const float* positions, size_t position_float_count, const float* normals,
                        size_t normal_float_count, const uint32_t* indices, size_t index_count, const float* colors,
                        size_t color_float_count, const Bounds3& bounds, const MeshMaterial& material) {
    return build_glb(RawMesh{positions, position_float_count, normals, normal_float_count, indices, index_count, colors,
                             color_float_count, bounds, material});
}

}  // namespace glb
