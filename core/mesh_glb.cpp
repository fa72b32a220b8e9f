#include <cstring>
#include <utility>

#include "builder_support.h"
#include "glb_assembler.h"

namespace glb {

namespace {

// The two one-line documents; they differ only in the COLOR_0 accessor and its bufferView.
constexpr char kMeshWithColorsTemplate[] =
    "{\"asset\":{\"version\":\"2.0\",\"generator\":\"Tarn Native\"},\"scene\":0,\"scenes\":[{\"nodes\":[0]}],"
    "\"nodes\":[{\"mesh\":0,\"name\":\"Mesh\"}],\"materials\":[{\"pbrMetallicRoughness\":{\"baseColorFactor\":"
    "[%.4f,%.4f,%.4f,%.4f],\"metallicFactor\":%.4f,\"roughnessFactor\":%.4f},\"emissiveFactor\":[%.4f,%.4f,%.4f],"
    "\"doubleSided\":%s}],\"meshes\":[{\"primitives\":[{\"attributes\":{\"POSITION\":0,\"NORMAL\":1,\"COLOR_0\":2},"
    "\"indices\":3,\"material\":0,\"mode\":4}],\"name\":\"MeshGeometry\"}],\"accessors\":[{\"bufferView\":0,"
    "\"componentType\":5126,\"count\":%zu,\"type\":\"VEC3\",\"min\":[%.6f,%.6f,%.6f],\"max\":[%.6f,%.6f,%.6f]},"
    "{\"bufferView\":1,\"componentType\":5126,\"count\":%zu,\"type\":\"VEC3\"},{\"bufferView\":2,"
    "\"componentType\":5126,\"count\":%zu,\"type\":\"VEC4\"},{\"bufferView\":3,\"componentType\":5125,"
    "\"count\":%zu,\"type\":\"SCALAR\"}],\"bufferViews\":[{\"buffer\":0,\"byteOffset\":0,\"byteLength\":%zu,"
    "\"target\":34962},{\"buffer\":0,\"byteOffset\":%zu,\"byteLength\":%zu,\"target\":34962},{\"buffer\":0,"
    "\"byteOffset\":%zu,\"byteLength\":%zu,\"target\":34962},{\"buffer\":0,\"byteOffset\":%zu,\"byteLength\":%zu,"
    "\"target\":34963}],\"buffers\":[{\"byteLength\":%zu}]}";

constexpr char kMeshWithoutColorsTemplate[] =
    "{\"asset\":{\"version\":\"2.0\",\"generator\":\"Tarn Native\"},\"scene\":0,\"scenes\":[{\"nodes\":[0]}],"
    "\"nodes\":[{\"mesh\":0,\"name\":\"Mesh\"}],\"materials\":[{\"pbrMetallicRoughness\":{\"baseColorFactor\":"
    "[%.4f,%.4f,%.4f,%.4f],\"metallicFactor\":%.4f,\"roughnessFactor\":%.4f},\"emissiveFactor\":[%.4f,%.4f,%.4f],"
    "\"doubleSided\":%s}],\"meshes\":[{\"primitives\":[{\"attributes\":{\"POSITION\":0,\"NORMAL\":1},"
    "\"indices\":2,\"material\":0,\"mode\":4}],\"name\":\"MeshGeometry\"}],\"accessors\":[{\"bufferView\":0,"
    "\"componentType\":5126,\"count\":%zu,\"type\":\"VEC3\",\"min\":[%.6f,%.6f,%.6f],\"max\":[%.6f,%.6f,%.6f]},"
    "{\"bufferView\":1,\"componentType\":5126,\"count\":%zu,\"type\":\"VEC3\"},{\"bufferView\":2,"
    "\"componentType\":5125,\"count\":%zu,\"type\":\"SCALAR\"}],\"bufferViews\":[{\"buffer\":0,\"byteOffset\":0,"
    "\"byteLength\":%zu,\"target\":34962},{\"buffer\":0,\"byteOffset\":%zu,\"byteLength\":%zu,\"target\":34962},"
    "{\"buffer\":0,\"byteOffset\":%zu,\"byteLength\":%zu,\"target\":34963}],\"buffers\":[{\"byteLength\":%zu}]}";

}  // namespace

GlbBytes build_mesh_glb(const float* positions, size_t position_float_count, const float* normals,
                        size_t normal_float_count, const uint32_t* indices, size_t index_count, const float* colors,
                        size_t color_float_count, const Bounds3& bounds, const MeshMaterial& material) {
    GlbBytesOutput output;
    build_mesh_glb(output, positions, position_float_count, normals, normal_float_count, indices, index_count,
                   colors, color_float_count, bounds, material);
    return std::move(output.bytes);
}

void check_mesh_inputs(size_t position_float_count, size_t normal_float_count, size_t index_count,
                       size_t color_float_count, const Bounds3& bounds, const MeshMaterial& material) {
    require_finite(bounds.min, 3, "bounds");
    require_finite(bounds.max, 3, "bounds");
    require_finite(material.base_color, 4, "base_color");
    require_finite(&material.metallic, 1, "metallic");
    require_finite(&material.roughness, 1, "roughness");
    require_finite(material.emissive, 3, "emissive");
    check_payload_size({saturated_byte_length(position_float_count, sizeof(float)),
                        saturated_byte_length(normal_float_count, sizeof(float)),
                        saturated_byte_length(color_float_count, sizeof(float)),
                        saturated_byte_length(index_count, sizeof(uint32_t))});
}

void build_mesh_glb(GlbOutput& output, const float* positions, size_t position_float_count, const float* normals,
                    size_t normal_float_count, const uint32_t* indices, size_t index_count, const float* colors,
                    size_t color_float_count, const Bounds3& bounds, const MeshMaterial& material) {
    const bool has_colors = colors != nullptr && color_float_count != 0;
    check_mesh_inputs(position_float_count, normal_float_count, index_count, has_colors ? color_float_count : 0,
                      bounds, material);
    const size_t vertex_count = position_float_count / 3;
    const size_t position_bytes = position_float_count * sizeof(float);  // checked above
    const size_t normal_bytes = normal_float_count * sizeof(float);
    const size_t color_bytes = has_colors ? color_float_count * sizeof(float) : 0;
    const size_t index_bytes = index_count * sizeof(uint32_t);
    const size_t payload_bytes = position_bytes + normal_bytes + color_bytes + index_bytes;
    const char* double_sided = material.double_sided ? "true" : "false";
    const double* c = material.base_color;
    const double* e = material.emissive;

    // Every vertex accessor counts the positions' vertices; the bufferViews keep each array's own length.
    using V = TemplateValue;
    JsonDocument<8192> json;
    if (has_colors) {
        json.format(kMeshWithColorsTemplate,
                    {V::factor(c[0]), V::factor(c[1]), V::factor(c[2]), V::factor(c[3]), V::factor(material.metallic),
                     V::factor(material.roughness), V::factor(e[0]), V::factor(e[1]), V::factor(e[2]), double_sided,
                     vertex_count, V::bound(bounds.min[0]), V::bound(bounds.min[1]), V::bound(bounds.min[2]),
                     V::bound(bounds.max[0]), V::bound(bounds.max[1]), V::bound(bounds.max[2]), vertex_count,
                     vertex_count, index_count, position_bytes, position_bytes, normal_bytes,
                     position_bytes + normal_bytes, color_bytes, position_bytes + normal_bytes + color_bytes,
                     index_bytes, payload_bytes});
    } else {
        json.format(kMeshWithoutColorsTemplate,
                    {V::factor(c[0]), V::factor(c[1]), V::factor(c[2]), V::factor(c[3]), V::factor(material.metallic),
                     V::factor(material.roughness), V::factor(e[0]), V::factor(e[1]), V::factor(e[2]), double_sided,
                     vertex_count, V::bound(bounds.min[0]), V::bound(bounds.min[1]), V::bound(bounds.min[2]),
                     V::bound(bounds.max[0]), V::bound(bounds.max[1]), V::bound(bounds.max[2]), vertex_count,
                     index_count, position_bytes, position_bytes, normal_bytes, position_bytes + normal_bytes,
                     index_bytes, payload_bytes});
    }
    uint8_t* out = start_glb(output, json.data(), json.size(), payload_bytes);
    if (position_bytes != 0) std::memcpy(out, positions, position_bytes);
    if (normal_bytes != 0) std::memcpy(out + position_bytes, normals, normal_bytes);
    if (color_bytes != 0) std::memcpy(out + position_bytes + normal_bytes, colors, color_bytes);
    if (index_bytes != 0) std::memcpy(out + position_bytes + normal_bytes + color_bytes, indices, index_bytes);
}

}  // namespace glb
