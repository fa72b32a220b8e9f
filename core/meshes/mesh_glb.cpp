// The mesh builders: the raw one (the native module's mesh_glb) and the checked one.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "document/builder_support.h"
#include "inputs/checked_inputs.h"
#include "document/documents.h"
#include "glb_assembler.h"
#include "encodings/quantization.h"
#include "parallel/row_ranges.h"
#include "meshes/vertex_normals.h"

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
                        saturated_byte_length(input.color_float_count, sizeof(float)),  // also before the arrays are known
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

// ---------------------------------------------------------------------------
// The checked mesh.

namespace glb {

// A run of triangles whose corners all lie in one window of at most 65535
// vertices: one primitive of 16-bit indices relative to the window's first vertex.
struct MeshChunk {
    size_t first_face = 0;
    size_t face_count = 0;
    size_t first_vertex = 0;
    size_t vertex_count = 0;
};

struct MeshLayout {
    size_t vertex_count = 0;
    size_t face_count = 0;
    bool has_colors = false;
    ColorRows colors;
    Quantization quantization;          // compact
    bool short_indices = false;         // compact: 16-bit indices, one primitive per chunk
    std::vector<MeshChunk> chunks;
    uint64_t normal_offset = 0, color_offset = 0, index_offset = 0;
    ScratchArray<uint32_t> faces;       // compact: the faces as read by the plan
};

MeshPlan::MeshPlan() = default;
MeshPlan::MeshPlan(MeshPlan&&) noexcept = default;
MeshPlan& MeshPlan::operator=(MeshPlan&&) noexcept = default;
MeshPlan::~MeshPlan() = default;

namespace {

constexpr size_t kLargestShortIndex = 65534;  // 65535 would be the primitive restart value

const double kLightGreyMaterial[4] = {0.8, 0.8, 0.8, 1.0};

MeshMaterial material_of(const TriangleMesh& input, bool has_colors) {
    MeshMaterial material{};
    // With vertex colours, white: they multiply the base colour and so show as given.
    const double* base = input.has_base_color ? input.base_color : has_colors ? nullptr : kLightGreyMaterial;
    for (int i = 0; i < 4; ++i) material.base_color[i] = base == nullptr ? 1.0 : base[i];
    material.metallic = input.metallic;
    material.roughness = input.roughness;
    for (int i = 0; i < 3; ++i) material.emissive[i] = input.emissive[i];
    material.double_sided = input.double_sided;
    return material;
}

struct MeshSizes {
    uint64_t positions, normals, colors, indices;
};

MeshSizes mesh_sizes(const TriangleMesh& input, size_t vertices, size_t faces, bool has_colors, bool short_indices) {
    const bool compact = input.encoding == Encoding::compact;
    MeshSizes sizes;
    sizes.positions = saturated_byte_length(vertices, compact ? kQuantizedPositionStride : 12);
    sizes.normals = saturated_byte_length(vertices, compact ? kQuantizedNormalStride : 12);
    sizes.colors = has_colors ? saturated_byte_length(vertices, compact ? 4 : 16) : 0;
    sizes.indices = saturated_byte_length(faces, short_indices ? 6 : 12);
    return sizes;
}

// Runs of triangles that fit 16-bit indices, greedily in face order; none when
// a triangle spans more than the window or the runs would be too short to pay
// for their primitives.
std::vector<MeshChunk> short_index_chunks(const uint32_t* faces, size_t face_count, size_t vertex_count) {
    std::vector<MeshChunk> chunks;
    if (vertex_count <= kLargestShortIndex + 1) {
        chunks.push_back(MeshChunk{0, face_count, 0, vertex_count});
        return chunks;
    }
    MeshChunk chunk;
    uint32_t low = UINT32_MAX, high = 0;
    for (size_t f = 0; f < face_count; ++f) {
        const uint32_t* c = faces + 3 * f;
        const uint32_t face_low = std::min({c[0], c[1], c[2]}), face_high = std::max({c[0], c[1], c[2]});
        if (face_high - face_low > kLargestShortIndex) return {};
        const uint32_t new_low = std::min(low, face_low), new_high = std::max(high, face_high);
        if (f != chunk.first_face && new_high - new_low > kLargestShortIndex) {
            chunk.face_count = f - chunk.first_face;
            chunk.first_vertex = low;
            chunk.vertex_count = size_t(high - low) + 1;
            chunks.push_back(chunk);
            chunk = MeshChunk{f, 0, 0, 0};
            low = face_low;
            high = face_high;
        } else {
            low = new_low;
            high = new_high;
        }
    }
    chunk.face_count = face_count - chunk.first_face;
    chunk.first_vertex = low;
    chunk.vertex_count = size_t(high - low) + 1;
    chunks.push_back(chunk);
    // Each primitive costs some 500 bytes of document and a draw call: worth it for
    // runs of a thousand triangles and more.
    if (chunks.size() > 1 + face_count / 1024) return {};
    return chunks;
}

gltf::Document compact_mesh_document(const MeshLayout& layout, const TriangleMesh& input, const MeshSizes& sizes,
                                     const MeshMaterial& material) {
    using gltf::Accessor;
    using gltf::AccessorType;
    using gltf::BufferView;
    using gltf::ComponentType;
    using gltf::Target;
    gltf::Document document;
    document.extensions = {kQuantizationExtension};
    document.scene_nodes = {0};
    gltf::Node node;
    node.mesh = 0;
    node.name = "Mesh";
    set_dequantization(node, layout.quantization);
    document.nodes.push_back(node);
    document.materials.push_back(glb::material_of(material));
    const uint32_t position_view = document.add(BufferView{0, sizes.positions, kQuantizedPositionStride, Target::vertices});
    const uint32_t normal_view = document.add(BufferView{layout.normal_offset, sizes.normals, kQuantizedNormalStride, Target::vertices});
    const uint32_t color_view = layout.has_colors ? document.add(BufferView{layout.color_offset, sizes.colors, 4, Target::vertices}) : 0;
    const uint32_t index_view = document.add(BufferView{layout.index_offset, sizes.indices, 0, Target::indices});
    gltf::Mesh mesh;
    mesh.name = "MeshGeometry";
    const std::vector<MeshChunk> whole = {MeshChunk{0, layout.face_count, 0, layout.vertex_count}};
    const std::vector<MeshChunk>& chunks = layout.short_indices ? layout.chunks : whole;
    uint64_t index_byte = 0;
    for (const MeshChunk& chunk : chunks) {
        Accessor positions;
        positions.buffer_view = position_view;
        positions.byte_offset = chunk.first_vertex * kQuantizedPositionStride;
        positions.component_type = ComponentType::uint16;
        positions.normalized = true;
        positions.count = chunk.vertex_count;
        set_quantized_bounds(positions, row_extremes(subview(input.positions, 3 * chunk.first_vertex, 3 * chunk.vertex_count),
                                                     Field::positions),
                             layout.quantization);
        Accessor normals;
        normals.buffer_view = normal_view;
        normals.byte_offset = chunk.first_vertex * kQuantizedNormalStride;
        normals.component_type = ComponentType::int8;
        normals.normalized = true;
        normals.count = chunk.vertex_count;
        gltf::Primitive triangles;
        triangles.attributes = {{"POSITION", document.add(positions)}, {"NORMAL", document.add(normals)}};
        if (layout.has_colors) {
            Accessor colors;
            colors.buffer_view = color_view;
            colors.byte_offset = chunk.first_vertex * 4;
            colors.component_type = ComponentType::uint8;
            colors.normalized = true;
            colors.count = chunk.vertex_count;
            colors.type = AccessorType::vec4;
            triangles.attributes.push_back({"COLOR_0", document.add(colors)});
        }
        Accessor indices;
        indices.buffer_view = index_view;
        indices.byte_offset = index_byte;
        indices.component_type = layout.short_indices ? ComponentType::uint16 : ComponentType::uint32;
        indices.count = 3 * uint64_t(chunk.face_count);
        indices.type = AccessorType::scalar;
        index_byte += indices.count * (layout.short_indices ? 2 : 4);
        triangles.indices = document.add(indices);
        triangles.material = 0;
        mesh.primitives.push_back(triangles);
    }
    document.meshes.push_back(mesh);
    document.buffer_length = layout.index_offset + sizes.indices;
    return document;
}

}  // namespace

void check_input(const TriangleMesh& input) {
    const size_t vertices = check_rows_of_three(input.positions, Field::positions);
    if (input.faces.count % 3 != 0) throw_count_error(Field::indices, Problem::not_whole_rows, input.faces.count, 3);
    if (input.faces.count == 0) throw_count_error(Field::indices, Problem::empty, 0, 1);
    if (input.normals.count != 0 && input.normals.count != 3 * vertices) {
        if (input.normals.count % 3 != 0) throw_count_error(Field::normals, Problem::not_whole_rows, input.normals.count, 3);
        throw_count_error(Field::normals, Problem::count_mismatch, input.normals.count / 3, vertices);
    }
    const bool has_colors = input.colors.values.count != 0;
    if (has_colors) resolved_colors(input.colors, vertices);
    if (input.has_base_color) check_unit_factors(input.base_color, 4, Field::base_color);
    check_unit_factors(&input.metallic, 1, Field::metallic);
    check_unit_factors(&input.roughness, 1, Field::roughness);
    check_unit_factors(input.emissive, 3, Field::emissive);
    const MeshSizes sizes = mesh_sizes(input, vertices, input.faces.count / 3, has_colors, false);
    check_payload_size({sizes.positions, sizes.normals, sizes.colors, sizes.indices}, 0);
}

MeshPlan plan_glb(const TriangleMesh& input) {
    check_input(input);
    MeshPlan plan;
    plan.layout = std::make_unique<MeshLayout>();
    MeshLayout& layout = *plan.layout;
    layout.vertex_count = input.positions.count / 3;
    layout.face_count = input.faces.count / 3;
    layout.has_colors = input.colors.values.count != 0;
    if (layout.has_colors) layout.colors = resolved_colors(input.colors, layout.vertex_count);
    const Extremes extremes = row_extremes(input.positions, Field::positions);
    const MeshMaterial material = material_of(input, layout.has_colors);
    gltf::Document document;
    if (input.encoding == Encoding::float32) {
        read_indices(nullptr, input.faces, 3, layout.vertex_count, Field::indices);
        const MeshSizes sizes = mesh_sizes(input, layout.vertex_count, layout.face_count, layout.has_colors, false);
        MeshDocument shape;
        shape.vertex_count = layout.vertex_count;
        shape.index_count = 3 * uint64_t(layout.face_count);
        shape.bounds = bounds_of(extremes);
        shape.material = material;
        shape.has_colors = layout.has_colors;
        shape.position_bytes = sizes.positions;
        shape.normal_bytes = sizes.normals;
        shape.color_bytes = sizes.colors;
        shape.index_bytes = sizes.indices;
        layout.normal_offset = sizes.positions;
        layout.color_offset = sizes.positions + sizes.normals;
        layout.index_offset = layout.color_offset + sizes.colors;
        document = mesh_document(shape);
    } else {
        layout.faces = allocate_scratch<uint32_t>(input.faces.count);
        read_indices(layout.faces.get(), input.faces, 3, layout.vertex_count, Field::indices);
        // One scale for all three axes, so that the node's transform keeps the normals' directions.
        layout.quantization = quantization_of(extremes, true);
        layout.chunks = short_index_chunks(layout.faces.get(), layout.face_count, layout.vertex_count);
        layout.short_indices = !layout.chunks.empty();
        const MeshSizes sizes = mesh_sizes(input, layout.vertex_count, layout.face_count, layout.has_colors,
                                           layout.short_indices);
        layout.normal_offset = sizes.positions;
        layout.color_offset = sizes.positions + sizes.normals;
        layout.index_offset = layout.color_offset + sizes.colors;
        document = compact_mesh_document(layout, input, sizes, material);
    }
    static_cast<GlbPlan&>(plan) = make_plan(document, document.buffer_length);
    return plan;
}

void write_glb(uint8_t* file, const MeshPlan& plan, const TriangleMesh& input) {
    const MeshLayout& layout = *plan.layout;
    uint8_t* payload = start_glb(file, plan);
    const size_t vertices = layout.vertex_count;
    const bool compact = input.encoding == Encoding::compact;
    uint32_t* faces = nullptr;
    if (compact) {
        faces = layout.faces.get();
    } else {
        faces = reinterpret_cast<uint32_t*>(payload + layout.index_offset);  // 4-byte aligned
        read_indices(faces, input.faces, 3, vertices, Field::indices);
    }
    // Normals as unit float32, straight into the file, or into scratch for quantising.
    ScratchArray<float> unit_normals;
    float* normals = reinterpret_cast<float*>(payload + layout.normal_offset);
    if (compact) {
        unit_normals = allocate_scratch<float>(3 * vertices);
        normals = unit_normals.get();
    }
    if (input.normals.count != 0) {
        write_unit_normals(normals, input.normals);
    } else {
        write_area_weighted_normals(normals, input.positions, faces, layout.face_count);
    }
    if (!compact) {
        write_float32(reinterpret_cast<float*>(payload), input.positions);
        if (layout.has_colors)
            write_colors_float32(reinterpret_cast<float*>(payload + layout.color_offset), vertices, layout.colors, 4,
                                 Field::colors);
        return;
    }
    for_row_ranges(vertices, [&](size_t begin, size_t end) {
        write_quantized_positions(payload + kQuantizedPositionStride * begin, input.positions, begin, end - begin,
                                  layout.quantization);
        for (size_t v = begin; v < end; ++v) {
            int8_t packed[4] = {snorm8(normals[3 * v]), snorm8(normals[3 * v + 1]), snorm8(normals[3 * v + 2]), 0};
            std::memcpy(payload + layout.normal_offset + kQuantizedNormalStride * v, packed, 4);
        }
        if (layout.has_colors)
            write_colors_unorm8(payload + layout.color_offset + 4 * begin, 4, end - begin,
                                rows_from(layout.colors, begin, end - begin), 4, Field::colors);
    });
    uint8_t* indices = payload + layout.index_offset;
    if (!layout.short_indices) {
        std::memcpy(indices, faces, 12 * layout.face_count);
        return;
    }
    uint16_t* out = reinterpret_cast<uint16_t*>(indices);
    for (const MeshChunk& chunk : layout.chunks)
        for (size_t i = 3 * chunk.first_face; i < 3 * (chunk.first_face + chunk.face_count); ++i)
            *out++ = uint16_t(faces[i] - chunk.first_vertex);
}

GlbBytes build_glb(const TriangleMesh& input) { return build_planned(input); }

}  // namespace glb
