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
#include "scenes/parts.h"

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
    MeshShape shape;
    shape.vertex_count = input.position_float_count / 3;
    shape.index_count = input.index_count;
    shape.bounds = input.bounds;
    shape.material = input.material;
    shape.has_colors = has_colors(input);
    shape.position_bytes = uint64_t(input.position_float_count) * sizeof(float);  // checked above
    shape.normal_bytes = uint64_t(input.normal_float_count) * sizeof(float);
    shape.color_bytes = shape.has_colors ? uint64_t(input.color_float_count) * sizeof(float) : 0;
    shape.index_bytes = uint64_t(input.index_count) * sizeof(uint32_t);
    gltf::Document document;
    document.scene_nodes = {add_mesh(document, shape).node};
    return make_plan(document);
}

void write_glb(uint8_t* file, const GlbPlan& plan, const RawMesh& input) {
    write_planned(file, plan, [&](uint8_t* out) {
        const size_t position_bytes = input.position_float_count * sizeof(float);
        const size_t normal_bytes = input.normal_float_count * sizeof(float);
        const size_t color_bytes = has_colors(input) ? input.color_float_count * sizeof(float) : 0;
        const size_t index_bytes = input.index_count * sizeof(uint32_t);
        if (position_bytes != 0) std::memcpy(out, input.positions, position_bytes);
        if (normal_bytes != 0) std::memcpy(out + position_bytes, input.normals, normal_bytes);
        if (color_bytes != 0) std::memcpy(out + position_bytes + normal_bytes, input.colors, color_bytes);
        if (index_bytes != 0) std::memcpy(out + position_bytes + normal_bytes + color_bytes, input.indices, index_bytes);
    });
}

GlbBytes build_mesh_glb(const float* positions, size_t position_float_count, const float* normals,
                        size_t normal_float_count, const uint32_t* indices, size_t index_count, const float* colors,
                        size_t color_float_count, const Bounds3& bounds, const MeshMaterial& material) {
    const RawMesh input{positions, position_float_count, normals, normal_float_count, indices, index_count, colors,
                        color_float_count, bounds, material};
    const GlbPlan plan = plan_glb(input);
    GlbBytes bytes(size_t(plan.file_size));
    write_glb(bytes.data(), plan, input);
    return bytes;
}

}  // namespace glb

// ---------------------------------------------------------------------------
// The checked mesh.

namespace glb {

namespace {

using gltf::Accessor;
using gltf::AccessorType;
using gltf::BufferView;
using gltf::ComponentType;
using gltf::Target;

constexpr size_t kLargestShortIndex = 65534;  // 65535 would be the primitive restart value
constexpr double kPi = 3.14159265358979323846;
// Faces this close to parallel (within 0.08 degrees) share a vertex in the flat style: they are drawn
// alike. Looser than float32 unit normals' rounding, so that faces of one plane always share.
constexpr double kFlatCosine = 1 - 1e-6;

const double kLightGreyMaterial[4] = {0.8, 0.8, 0.8, 1.0};

MeshMaterial material_of(const TriangleMesh& input, bool has_colors) {
    MeshMaterial material{};
    // With vertex colours or a texture, white: they multiply the base colour and so show as given.
    const bool shown_as_given = has_colors || input.texture.given;
    const double* base = input.has_base_color ? input.base_color : shown_as_given ? nullptr : kLightGreyMaterial;
    for (int i = 0; i < 4; ++i) material.base_color[i] = base == nullptr ? 1.0 : base[i];
    material.metallic = input.metallic;
    material.roughness = input.roughness;
    for (int i = 0; i < 3; ++i) material.emissive[i] = input.emissive[i];
    material.double_sided = input.double_sided;
    return material;
}

// A run of triangles whose corners all lie in one window of at most 65535
// vertices: one primitive of 16-bit indices relative to the window's first vertex.
struct MeshChunk {
    size_t first_face = 0;
    size_t face_count = 0;
    size_t first_vertex = 0;
    size_t vertex_count = 0;
};

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

// The MIME type of PNG or JPEG bytes, by their signature; nullptr for anything else.
const char* image_type(const ArrayView& bytes) {
    static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    static const uint8_t kJpeg[3] = {0xFF, 0xD8, 0xFF};
    const uint8_t* data = static_cast<const uint8_t*>(bytes.data);
    if (bytes.count >= 8 && std::memcmp(data, kPng, 8) == 0) return "image/png";
    if (bytes.count >= 3 && std::memcmp(data, kJpeg, 3) == 0) return "image/jpeg";
    return nullptr;
}

// What a mesh writes per vertex, with the bytes each takes.
struct VertexSizes {
    uint64_t position, normal, color, uv;
};

VertexSizes vertex_sizes(bool compact, bool has_colors, bool has_uv) {
    return VertexSizes{compact ? kQuantizedPositionStride : 12, compact ? kQuantizedNormalStride : 12,
                       has_colors ? (compact ? 4u : 16u) : 0u, has_uv ? 8u : 0u};
}

class MeshLayout final : public PartLayout {
public:
    const TriangleMesh* input = nullptr;
    size_t vertex_count = 0;
    size_t face_count = 0;
    bool compact = false;
    bool has_colors = false;
    bool split = false;                 // normals computed by the plan, vertices split at creases
    ArrayView positions, uv;            // the input's, or copies in the split vertices' order
    ColorRows colors;
    ScratchArray<uint8_t> split_positions, split_colors, split_uv;
    ScratchArray<uint32_t> faces;       // read (and renumbered) by the plan; null: the write reads the input's
    ScratchArray<float> normals;        // split: unit normals of the split vertices
    Quantization quantization;          // compact
    bool short_indices = false;         // compact: 16-bit indices, one primitive per chunk
    std::vector<MeshChunk> chunks;
    uint64_t position_offset = 0, normal_offset = 0, color_offset = 0, uv_offset = 0, index_offset = 0;
    uint64_t image_offset = 0;

    void write(uint8_t* payload, uint32_t thread_count) const override;

private:
    void write_normals(float* out, const uint32_t* faces) const;
};

// Unit normals of every vertex: given ones normalised, split ones copied, smooth ones computed.
void MeshLayout::write_normals(float* out, const uint32_t* faces_read) const {
    if (input->normals.given) {
        write_unit_normals(out, input->normals);
    } else if (split) {
        std::memcpy(out, normals.get(), 12 * vertex_count);
    } else {
        write_area_weighted_normals(out, positions, faces_read, face_count);
    }
}

void MeshLayout::write(uint8_t* payload, uint32_t) const {
    const size_t vertices = vertex_count;
    const uint32_t* faces_read = faces.get();
    if (!compact) {
        uint32_t* indices = reinterpret_cast<uint32_t*>(payload + index_offset);  // 4-byte aligned
        if (faces_read != nullptr) {
            std::memcpy(indices, faces_read, 12 * face_count);
        } else {
            read_indices(indices, input->faces, 3, vertices, Field::indices);
        }
        write_float32(reinterpret_cast<float*>(payload + position_offset), positions);
        write_normals(reinterpret_cast<float*>(payload + normal_offset), indices);
        if (has_colors)
            write_colors_float32(reinterpret_cast<float*>(payload + color_offset), vertices, colors, 4, Field::colors);
        if (uv.given) write_float32(reinterpret_cast<float*>(payload + uv_offset), uv);
    } else {
        // Normals as unit float32 in scratch, then quantised.
        ScratchArray<float> unit_normals = allocate_scratch<float>(3 * vertices);
        write_normals(unit_normals.get(), faces_read);
        const float* normal_values = unit_normals.get();
        for_row_ranges(vertices, [&](size_t begin, size_t end) {
            write_quantized_positions(payload + position_offset + kQuantizedPositionStride * begin, positions, begin,
                                      end - begin, quantization);
            for (size_t v = begin; v < end; ++v) {
                const float* n = normal_values + 3 * v;
                const int8_t packed[4] = {snorm8(n[0]), snorm8(n[1]), snorm8(n[2]), 0};
                std::memcpy(payload + normal_offset + kQuantizedNormalStride * v, packed, 4);
            }
            if (has_colors)
                write_colors_unorm8(payload + color_offset + 4 * begin, 4, end - begin,
                                    rows_from(colors, begin, end - begin), 4, Field::colors);
        });
        if (uv.given) write_float32(reinterpret_cast<float*>(payload + uv_offset), uv);
        uint8_t* indices = payload + index_offset;
        if (!short_indices) {
            std::memcpy(indices, faces_read, 12 * face_count);
        } else {
            uint16_t* out = reinterpret_cast<uint16_t*>(indices);
            for (const MeshChunk& chunk : chunks)
                for (size_t i = 3 * chunk.first_face; i < 3 * (chunk.first_face + chunk.face_count); ++i)
                    *out++ = uint16_t(faces_read[i] - chunk.first_vertex);
        }
    }
    if (input->texture.given) std::memcpy(payload + image_offset, input->texture.data, input->texture.count);
}

// The texture's image in a block of its own, shown by the material.
void add_texture(gltf::Document& document, MeshLayout& layout, const TriangleMesh& input, gltf::Material& material) {
    layout.image_offset = document.reserve(input.texture.count);
    const uint32_t view = document.add(BufferView{layout.image_offset, input.texture.count, 0, Target::none});
    material.base_color_texture = document.add(gltf::Image{view, image_type(input.texture)});
}

// The texture coordinates' block and buffer view (stride 8: several accessors may share it).
uint32_t add_uv_view(gltf::Document& document, MeshLayout& layout) {
    const uint64_t bytes = 8 * uint64_t(layout.vertex_count);
    layout.uv_offset = document.reserve(bytes);
    return document.add(BufferView{layout.uv_offset, bytes, 8, Target::vertices});
}

uint32_t add_uv(gltf::Document& document, uint32_t view, uint64_t first_vertex, uint64_t count) {
    Accessor uv;
    uv.buffer_view = view;
    uv.byte_offset = 8 * first_vertex;
    uv.count = count;
    uv.type = AccessorType::vec2;
    return document.add(uv);
}

uint32_t add_float32_mesh(gltf::Document& document, MeshLayout& layout, const TriangleMesh& input,
                          const Extremes& extremes) {
    MeshShape shape;
    shape.vertex_count = layout.vertex_count;
    shape.index_count = 3 * uint64_t(layout.face_count);
    shape.bounds = bounds_of(extremes);
    shape.material = material_of(input, layout.has_colors);
    shape.has_colors = layout.has_colors;
    const VertexSizes sizes = vertex_sizes(false, layout.has_colors, false);
    shape.position_bytes = sizes.position * layout.vertex_count;
    shape.normal_bytes = sizes.normal * layout.vertex_count;
    shape.color_bytes = sizes.color * layout.vertex_count;
    shape.index_bytes = 12 * uint64_t(layout.face_count);
    const PlacedMesh placed = add_mesh(document, shape);
    layout.position_offset = placed.position_offset;
    layout.normal_offset = placed.normal_offset;
    layout.color_offset = placed.color_offset;
    layout.index_offset = placed.index_offset;
    const size_t mesh = size_t(document.nodes[placed.node].mesh);
    if (layout.uv.given) {
        const uint32_t uv = add_uv(document, add_uv_view(document, layout), 0, layout.vertex_count);
        document.meshes[mesh].primitives[0].attributes.push_back({"TEXCOORD_0", uv});
    }
    gltf::Material& material = document.materials[size_t(document.meshes[mesh].primitives[0].material)];
    material.blend = shape.material.base_color[3] < 1;
    if (input.texture.given) add_texture(document, layout, input, material);
    return placed.node;
}

uint32_t add_compact_mesh(gltf::Document& document, MeshLayout& layout, const TriangleMesh& input) {
    document.require(kQuantizationExtension);
    const VertexSizes sizes = vertex_sizes(true, layout.has_colors, false);
    const uint64_t vertices = layout.vertex_count;
    layout.position_offset = document.reserve(sizes.position * vertices);
    const uint32_t position_view =
        document.add(BufferView{layout.position_offset, sizes.position * vertices, kQuantizedPositionStride, Target::vertices});
    layout.normal_offset = document.reserve(sizes.normal * vertices);
    const uint32_t normal_view =
        document.add(BufferView{layout.normal_offset, sizes.normal * vertices, kQuantizedNormalStride, Target::vertices});
    uint32_t color_view = 0;
    if (layout.has_colors) {
        layout.color_offset = document.reserve(sizes.color * vertices);
        color_view = document.add(BufferView{layout.color_offset, sizes.color * vertices, 4, Target::vertices});
    }
    const uint64_t index_bytes = uint64_t(layout.face_count) * (layout.short_indices ? 6 : 12);
    layout.index_offset = document.reserve(index_bytes);
    const uint32_t index_view = document.add(BufferView{layout.index_offset, index_bytes, 0, Target::indices});
    const uint32_t uv_view = layout.uv.given ? add_uv_view(document, layout) : 0;
    gltf::Material material = material_of(material_of(input, layout.has_colors));
    material.blend = material.base_color[3] < 1;
    if (input.texture.given) add_texture(document, layout, input, material);
    const uint32_t material_index = document.add(material);

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
        set_quantized_bounds(positions,
                             row_extremes(subview(layout.positions, 3 * chunk.first_vertex, 3 * chunk.vertex_count),
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
        if (layout.uv.given)
            triangles.attributes.push_back(
                {"TEXCOORD_0", add_uv(document, uv_view, chunk.first_vertex, chunk.vertex_count)});
        Accessor indices;
        indices.buffer_view = index_view;
        indices.byte_offset = index_byte;
        indices.component_type = layout.short_indices ? ComponentType::uint16 : ComponentType::uint32;
        indices.count = 3 * uint64_t(chunk.face_count);
        indices.type = AccessorType::scalar;
        index_byte += indices.count * (layout.short_indices ? 2 : 4);
        triangles.indices = document.add(indices);
        triangles.material = material_index;
        mesh.primitives.push_back(triangles);
    }
    gltf::Node node;
    node.mesh = document.add(mesh);
    node.name = "Mesh";
    set_dequantization(node, layout.quantization);
    return document.add(node);
}

}  // namespace

void check_part(const TriangleMesh& input) {
    const size_t vertices = check_rows_of_three(input.positions, Field::positions);
    if (input.faces.count % 3 != 0) throw_count_error(Field::indices, Problem::not_whole_rows, input.faces.count, 3);
    if (input.faces.count == 0) throw_count_error(Field::indices, Problem::empty, 0, 1);
    if (input.normals.given && input.normals.count != 3 * vertices) {
        if (input.normals.count % 3 != 0) throw_count_error(Field::normals, Problem::not_whole_rows, input.normals.count, 3);
        throw_count_error(Field::normals, Problem::count_mismatch, input.normals.count / 3, vertices);
    }
    if (!std::isfinite(input.crease_angle) || input.crease_angle < 0 || input.crease_angle > 180)
        throw_value_error(Field::crease_angle, Problem::outside_unit_range, kNoIndex, kNoIndex, input.crease_angle, 180);
    if (input.colors.given()) resolved_colors(input.colors, vertices);
    if (input.uv.given && input.uv.count != 2 * vertices) {
        if (input.uv.count % 2 != 0) throw_count_error(Field::uv, Problem::not_whole_rows, input.uv.count, 2);
        throw_count_error(Field::uv, Problem::count_mismatch, input.uv.count / 2, vertices);
    }
    if (input.texture.given) {
        if (!input.uv.given) {
            InputError error(Field::texture, Problem::needs_related, "a texture needs texture coordinates (uv)");
            error.related = Field::uv;
            throw error;
        }
        if (input.texture.type != ElementType::uint8) throw_count_error(Field::texture, Problem::unsupported_type, 0, 0);
    }
    if (input.has_base_color) check_unit_factors(input.base_color, 4, Field::base_color);
    check_unit_factors(&input.metallic, 1, Field::metallic);
    check_unit_factors(&input.roughness, 1, Field::roughness);
    check_unit_factors(input.emissive, 3, Field::emissive);
}

uint64_t payload_estimate(const TriangleMesh& input) {
    // At least one vertex a vertex and 16-bit indices; splits only add.
    const uint64_t vertices = input.positions.count / 3;
    const VertexSizes sizes = vertex_sizes(input.encoding == Encoding::compact, input.colors.given(), input.uv.given);
    return check_payload_size({saturated_byte_length(vertices, sizes.position + sizes.normal + sizes.color + sizes.uv),
                               saturated_byte_length(input.faces.count, input.encoding == Encoding::compact ? 2 : 4),
                               input.texture.count},
                              0);
}

PlannedPart plan_part(gltf::Document& document, const TriangleMesh& input) {
    auto owned = std::make_unique<MeshLayout>();
    MeshLayout& layout = *owned;
    layout.input = &input;
    layout.compact = input.encoding == Encoding::compact;
    layout.vertex_count = input.positions.count / 3;
    layout.face_count = input.faces.count / 3;
    layout.has_colors = input.colors.given();
    layout.positions = input.positions;
    layout.uv = input.uv;
    if (layout.has_colors) layout.colors = resolved_colors(input.colors, layout.vertex_count);
    if (input.texture.given && image_type(input.texture) == nullptr)
        throw_value_error(Field::texture, Problem::not_an_image, kNoIndex, kNoIndex, 0);
    if (input.uv.given) require_finite_rows(input.uv, 2, Field::uv);
    const Extremes extremes = row_extremes(input.positions, Field::positions);

    layout.split = !input.normals.given && input.normals_mode != NormalsMode::smooth;
    if (layout.split || layout.compact) {
        layout.faces = allocate_scratch<uint32_t>(input.faces.count);
        read_indices(layout.faces.get(), input.faces, 3, layout.vertex_count, Field::indices);
    }
    if (layout.split) {
        const double cosine = input.normals_mode == NormalsMode::flat ? kFlatCosine
                                                                      : std::cos(input.crease_angle * kPi / 180);
        SplitVertices split = split_at_creases(layout.faces.get(), layout.face_count, input.positions, cosine);
        const uint32_t* source = split.source.get();
        layout.vertex_count = split.count;
        layout.normals = std::move(split.normals);
        layout.split_positions = allocate_scratch<uint8_t>(split.count * 3 * element_size(input.positions.type));
        layout.positions = gather_rows(layout.split_positions.get(), input.positions, 3, source, split.count);
        if (layout.has_colors && layout.colors.rows() > 1) {
            layout.split_colors = allocate_scratch<uint8_t>(split.count * layout.colors.components *
                                                            element_size(layout.colors.values.type));
            layout.colors.values = gather_rows(layout.split_colors.get(), layout.colors.values, layout.colors.components,
                                               source, split.count);
        }
        if (input.uv.given) {
            layout.split_uv = allocate_scratch<uint8_t>(split.count * 2 * element_size(input.uv.type));
            layout.uv = gather_rows(layout.split_uv.get(), input.uv, 2, source, split.count);
        }
    }

    uint32_t node;
    if (!layout.compact) {
        node = add_float32_mesh(document, layout, input, extremes);
    } else {
        // One scale for all three axes, so that the node's transform keeps the normals' directions.
        layout.quantization = quantization_of(extremes, true);
        layout.chunks = short_index_chunks(layout.faces.get(), layout.face_count, layout.vertex_count);
        layout.short_indices = !layout.chunks.empty();
        node = add_compact_mesh(document, layout, input);
    }
    return PlannedPart{node, std::move(owned)};
}

}  // namespace glb
