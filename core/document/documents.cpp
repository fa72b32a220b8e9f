#include "document/documents.h"

#include "encodings/quantization.h"

namespace glb {

using gltf::Accessor;
using gltf::AccessorType;
using gltf::BoundsKind;
using gltf::BufferView;
using gltf::ComponentType;
using gltf::Target;

namespace {

Accessor float_positions(uint32_t view, uint64_t count, const Bounds3& bounds) {
    Accessor accessor;
    accessor.buffer_view = view;
    accessor.count = count;
    accessor.bounds = BoundsKind::floats;
    for (int axis = 0; axis < 3; ++axis) {
        accessor.min[axis] = bounds.min[axis];
        accessor.max[axis] = bounds.max[axis];
    }
    return accessor;
}

Accessor float_vectors(uint32_t view, uint64_t count, AccessorType type) {
    Accessor accessor;
    accessor.buffer_view = view;
    accessor.count = count;
    accessor.type = type;
    return accessor;
}

}  // namespace

gltf::Document point_document(const PointDocument& shape) {
    gltf::Document document;
    document.scene_nodes = {0};
    gltf::Node node;
    node.mesh = 0;
    node.name = shape.node_name;
    document.nodes.push_back(node);
    gltf::Primitive points;
    points.attributes = {{"POSITION", 0}, {"COLOR_0", 1}};
    points.mode = 0;
    document.meshes.push_back({{points}, shape.mesh_name});
    document.add(float_positions(0, shape.count, shape.bounds));
    document.add(float_vectors(1, shape.count, shape.color_type));
    document.add(BufferView{0, shape.position_bytes, 0, Target::vertices});
    document.add(BufferView{shape.position_bytes, shape.color_bytes, 0, Target::vertices});
    document.buffer_length = shape.position_bytes + shape.color_bytes;
    return document;
}

gltf::Material material_of(const MeshMaterial& material) {
    gltf::Material written;
    for (int i = 0; i < 4; ++i) written.base_color[i] = material.base_color[i];
    written.metallic = material.metallic;
    written.roughness = material.roughness;
    for (int i = 0; i < 3; ++i) written.emissive[i] = material.emissive[i];
    written.double_sided = material.double_sided;
    return written;
}

gltf::Document mesh_document(const MeshDocument& shape) {
    gltf::Document document;
    document.scene_nodes = {0};
    gltf::Node node;
    node.mesh = 0;
    node.name = "Mesh";
    document.nodes.push_back(node);
    document.materials.push_back(material_of(shape.material));

    // Every vertex accessor counts the positions' vertices; the buffer views keep each array's own length.
    gltf::Primitive triangles;
    triangles.attributes = {{"POSITION", 0}, {"NORMAL", 1}};
    document.add(float_positions(0, shape.vertex_count, shape.bounds));
    document.add(float_vectors(1, shape.vertex_count, AccessorType::vec3));
    uint64_t offset = 0;
    document.add(BufferView{offset, shape.position_bytes, 0, Target::vertices});
    offset += shape.position_bytes;
    document.add(BufferView{offset, shape.normal_bytes, 0, Target::vertices});
    offset += shape.normal_bytes;
    if (shape.has_colors) {
        triangles.attributes.push_back({"COLOR_0", 2});
        document.add(float_vectors(2, shape.vertex_count, AccessorType::vec4));
        document.add(BufferView{offset, shape.color_bytes, 0, Target::vertices});
        offset += shape.color_bytes;
    }
    Accessor indices;
    indices.buffer_view = shape.has_colors ? 3 : 2;
    indices.component_type = ComponentType::uint32;
    indices.count = shape.index_count;
    indices.type = AccessorType::scalar;
    triangles.indices = document.add(indices);
    document.add(BufferView{offset, shape.index_bytes, 0, Target::indices});
    triangles.material = 0;
    triangles.mode = 4;
    document.meshes.push_back({{triangles}, "MeshGeometry"});
    document.buffer_length = offset + shape.index_bytes;
    return document;
}

gltf::Document compact_point_document(const char* node_name, const char* mesh_name, uint64_t count,
                                      const Extremes& extremes, const Quantization& quantization,
                                      AccessorType color_type, uint64_t position_bytes, uint64_t color_bytes) {
    gltf::Document document;
    document.extensions = {kQuantizationExtension};
    document.scene_nodes = {0};
    gltf::Node node;
    node.mesh = 0;
    node.name = node_name;
    set_dequantization(node, quantization);
    document.nodes.push_back(node);
    gltf::Primitive points;
    points.attributes = {{"POSITION", 0}, {"COLOR_0", 1}};
    points.mode = 0;
    document.meshes.push_back({{points}, mesh_name});
    Accessor positions;
    positions.buffer_view = 0;
    positions.component_type = ComponentType::uint16;
    positions.normalized = true;
    positions.count = count;
    set_quantized_bounds(positions, extremes, quantization);
    document.add(positions);
    Accessor colors;
    colors.buffer_view = 1;
    colors.component_type = ComponentType::uint8;
    colors.normalized = true;
    colors.count = count;
    colors.type = color_type;
    document.add(colors);
    document.add(BufferView{0, position_bytes, kQuantizedPositionStride, Target::vertices});
    document.add(BufferView{position_bytes, color_bytes, 4, Target::vertices});
    document.buffer_length = position_bytes + color_bytes;
    return document;
}

}  // namespace glb
