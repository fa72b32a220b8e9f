#include "document/documents.h"

namespace glb {

using gltf::Accessor;
using gltf::AccessorType;
using gltf::BufferView;
using gltf::ComponentType;
using gltf::Target;

namespace {

Accessor float_positions(uint32_t view, uint64_t count, const Bounds3& bounds) {
    Accessor accessor;
    accessor.buffer_view = view;
    accessor.count = count;
    accessor.bounds = gltf::BoundsKind::floats;
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

// A block of the payload with its buffer view.
uint32_t add_block(gltf::Document& document, uint64_t length, uint32_t stride, Target target, uint64_t& offset) {
    offset = document.reserve(length);
    return document.add(BufferView{offset, length, stride, target});
}

uint32_t add_point_node(gltf::Document& document, const char* node_name, const char* mesh_name, uint32_t positions,
                        uint32_t colors) {
    gltf::Primitive points;
    points.attributes = {{"POSITION", positions}, {"COLOR_0", colors}};
    points.mode = 0;
    gltf::Node node;
    node.mesh = document.add(gltf::Mesh{{points}, mesh_name});
    node.name = node_name;
    return document.add(node);
}

}  // namespace

PlacedPoints add_points(gltf::Document& document, const PointShape& shape) {
    PlacedPoints placed;
    const uint32_t position_view =
        add_block(document, shape.position_bytes, 0, Target::vertices, placed.position_offset);
    const uint32_t color_view = add_block(document, shape.color_bytes, 0, Target::vertices, placed.color_offset);
    const uint32_t positions = document.add(float_positions(position_view, shape.count, shape.bounds));
    const uint32_t colors = document.add(float_vectors(color_view, shape.count, shape.color_type));
    placed.node = add_point_node(document, shape.node_name, shape.mesh_name, positions, colors);
    return placed;
}

PlacedPoints add_compact_points(gltf::Document& document, const char* node_name, const char* mesh_name, uint64_t count,
                                const Extremes& extremes, const Quantization& quantization, AccessorType color_type) {
    document.require(kQuantizationExtension);
    PlacedPoints placed;
    const uint32_t position_view =
        add_block(document, count * kQuantizedPositionStride, kQuantizedPositionStride, Target::vertices,
                  placed.position_offset);
    const uint32_t color_view = add_block(document, count * 4, 4, Target::vertices, placed.color_offset);
    Accessor positions;
    positions.buffer_view = position_view;
    positions.count = count;
    set_quantized_positions(positions, extremes, quantization);
    Accessor colors;
    colors.buffer_view = color_view;
    colors.component_type = ComponentType::uint8;
    colors.normalized = true;
    colors.count = count;
    colors.type = color_type;
    const uint32_t position_accessor = document.add(positions);
    const uint32_t color_accessor = document.add(colors);
    placed.node = add_point_node(document, node_name, mesh_name, position_accessor, color_accessor);
    set_dequantization(document.nodes[placed.node], quantization);
    return placed;
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

PlacedMesh add_mesh(gltf::Document& document, const MeshShape& shape) {
    PlacedMesh placed;
    // Every vertex accessor counts the positions' vertices; the buffer views keep each array's own length.
    const uint32_t position_view = add_block(document, shape.position_bytes, 0, Target::vertices, placed.position_offset);
    const uint32_t normal_view = add_block(document, shape.normal_bytes, 0, Target::vertices, placed.normal_offset);
    gltf::Primitive triangles;
    triangles.attributes = {{"POSITION", document.add(float_positions(position_view, shape.vertex_count, shape.bounds))},
                            {"NORMAL", document.add(float_vectors(normal_view, shape.vertex_count, AccessorType::vec3))}};
    if (shape.has_colors) {
        const uint32_t color_view = add_block(document, shape.color_bytes, 0, Target::vertices, placed.color_offset);
        triangles.attributes.push_back({"COLOR_0", document.add(float_vectors(color_view, shape.vertex_count, AccessorType::vec4))});
    }
    const uint32_t index_view = add_block(document, shape.index_bytes, 0, Target::indices, placed.index_offset);
    Accessor indices;
    indices.buffer_view = index_view;
    indices.component_type = ComponentType::uint32;
    indices.count = shape.index_count;
    indices.type = AccessorType::scalar;
    triangles.indices = document.add(indices);
    triangles.material = document.add(material_of(shape.material));
    triangles.mode = 4;
    gltf::Node node;
    node.mesh = document.add(gltf::Mesh{{triangles}, "MeshGeometry"});
    node.name = "Mesh";
    placed.node = document.add(node);
    return placed;
}

}  // namespace glb
