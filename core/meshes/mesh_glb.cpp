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
#include "meshes/vertex_windows.h"
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

constexpr double kPi = 3.14159265358979323846;
// Faces within this angle (degrees) of parallel share a vertex in the flat
// style: they are drawn alike. Wide enough for the rounding of unit normals to
// float32 (some 1e-7 on a cosine): faces of one plane always share.
constexpr double kFlatAngle = 0.1;

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
    size_t vertex_count = 0;            // written: after splits at creases
    size_t face_count = 0;
    bool compact = false;
    bool has_colors = false;
    ColorRows colors;                   // the input's, resolved
    ScratchArray<uint32_t> source;      // the input vertex of each written vertex; null: the input's own order
    ScratchArray<uint32_t> faces;       // in written numbering, read by the plan; null: the write reads the input's
    ScratchArray<float> normals;        // unit normals of the written vertices, made by the plan; or null
    Quantization quantization;          // compact
    bool short_indices = false;         // compact: 16-bit indices, one primitive per window
    std::vector<VertexWindow> windows;
    uint64_t position_offset = 0, normal_offset = 0, color_offset = 0, uv_offset = 0, index_offset = 0;
    uint64_t image_offset = 0;

    void write(uint8_t* payload, uint32_t thread_count) const override;

    // Rows [first, first + count) of written vertices of an input array of
    // `width` values a row: its own rows, or copies gathered into buffer
    // (room for kBlockRows rows of four float64).
    ArrayView rows(const ArrayView& values, size_t width, size_t first, size_t count, void* buffer) const;
    // The extremes of the positions of written vertices [first, first + count).
    Extremes extremes(size_t first, size_t count) const;

private:
    void check_gathered_colors(uint32_t thread_count) const;
    void write_indices(uint8_t* payload, uint32_t thread_count) const;
    void write_vertices(uint8_t* payload, const float* computed_normals, const float* input_unit_normals,
                        uint32_t thread_count) const;
    void write_colors(uint8_t* payload, uint32_t thread_count) const;
};

// Vertices are converted in blocks of this many rows, small enough for a buffer on the stack.
constexpr size_t kBlockRows = 512;

ArrayView MeshLayout::rows(const ArrayView& values, size_t width, size_t first, size_t count, void* buffer) const {
    if (!source) return subview(values, width * first, width * count);
    return gather_rows(buffer, values, width, source.get() + first, count);
}

Extremes MeshLayout::extremes(size_t first, size_t count) const {
    if (!source) return row_extremes(subview(input->positions, 3 * first, 3 * count), Field::positions);
    Extremes all{{HUGE_VALF, HUGE_VALF, HUGE_VALF}, {-HUGE_VALF, -HUGE_VALF, -HUGE_VALF}};
    alignas(8) uint8_t gathered[3 * 8 * kBlockRows];
    for (size_t block = first; block < first + count; block += kBlockRows) {
        const Extremes part = row_extremes(rows(input->positions, 3, block, std::min(kBlockRows, first + count - block), gathered),
                                           Field::positions);
        for (int axis = 0; axis < 3; ++axis) {
            all.min[axis] = std::min(all.min[axis], part.min[axis]);
            all.max[axis] = std::max(all.max[axis], part.max[axis]);
        }
    }
    return all;
}

// Vertices written in another order than the input's are checked in the
// input's first, so that an error names the same row as it would otherwise:
// the colours here, the normals as unit_normals_of_input makes them.
void MeshLayout::check_gathered_colors(uint32_t thread_count) const {
    const size_t rows = input->positions.count / 3;
    for_row_ranges(rows, thread_count, [&](size_t begin, size_t end) {
        float values[4 * kBlockRows];
        for (size_t block = begin; block < end; block += kBlockRows) {
            const size_t count = std::min(kBlockRows, end - block);
            try {
                write_colors_float32(values, count, rows_from(colors, block, count), 4, Field::colors);
            } catch (const InputError& error) {
                throw_value_error(error.field, error.problem, error.row + (block - begin), error.component, error.value,
                                  error.limit);
            }
        }
    });
}

// The given normals made unit length in the input's order (and so checked in it), for a gather.
ScratchArray<float> unit_normals_of_input(const ArrayView& normals, uint32_t thread_count) {
    ScratchArray<float> unit = allocate_scratch<float>(normals.count + 3);
    for_row_ranges(normals.count / 3, thread_count, [&](size_t begin, size_t end) {
        write_unit_normals(unit.get() + 3 * begin, subview(normals, 3 * begin, 3 * (end - begin)));
    });
    return unit;
}

void MeshLayout::write_indices(uint8_t* payload, uint32_t thread_count) const {
    const uint32_t* planned = faces.get();
    if (!compact || !short_indices) {
        uint32_t* out = reinterpret_cast<uint32_t*>(payload + index_offset);  // 4-byte aligned
        for_row_ranges(face_count, thread_count, [&](size_t begin, size_t end) {
            if (planned != nullptr) {
                std::memcpy(out + 3 * begin, planned + 3 * begin, 12 * (end - begin));
            } else {
                read_indices(out + 3 * begin, subview(input->faces, 3 * begin, 3 * (end - begin)), 3, vertex_count,
                             Field::indices);
            }
        });
        return;
    }
    uint16_t* out = reinterpret_cast<uint16_t*>(payload + index_offset);
    for_row_ranges(face_count, thread_count, [&](size_t begin, size_t end) {
        // The windows in face order: the one that holds the range's first face, and on.
        size_t k = size_t(std::upper_bound(windows.begin(), windows.end(), begin,
                                           [](size_t face, const VertexWindow& window) { return face < window.first_face; }) -
                          windows.begin()) - 1;
        for (size_t f = begin; f < end; ++f) {
            while (f >= windows[k].first_face + windows[k].face_count) ++k;
            const uint32_t first = uint32_t(windows[k].first_vertex);
            for (size_t i = 3 * f; i < 3 * f + 3; ++i) out[i] = uint16_t(planned[i] - first);
        }
    });
}

// Normals: computed_normals (unit, one a written vertex), else input_unit_normals
// (unit, one an input vertex), else the input's, made unit length here.
void MeshLayout::write_vertices(uint8_t* payload, const float* computed_normals, const float* input_unit_normals,
                                uint32_t thread_count) const {
    for_row_ranges(vertex_count, thread_count, [&](size_t begin, size_t end) {
        alignas(8) uint8_t gathered[4 * 8 * kBlockRows];
        float unit[3 * kBlockRows];
        for (size_t block = begin; block < end; block += kBlockRows) {
            const size_t count = std::min(kBlockRows, end - block);
            const ArrayView positions = rows(input->positions, 3, block, count, gathered);
            if (!compact) {
                write_float32(reinterpret_cast<float*>(payload + position_offset) + 3 * block, positions);
            } else {
                write_quantized_positions(payload + position_offset + kQuantizedPositionStride * block, positions, 0, count,
                                          quantization);
            }
            // Unit normals, straight into a float32 file, or through unit for the compact one.
            float* normal_out = compact ? unit : reinterpret_cast<float*>(payload + normal_offset) + 3 * block;
            const float* normal_values = normal_out;
            if (computed_normals != nullptr || input_unit_normals != nullptr) {
                normal_values = computed_normals != nullptr
                                    ? computed_normals + 3 * block
                                    : static_cast<const float*>(
                                          rows(ArrayView{input_unit_normals, input->normals.count, ElementType::float32, true}, 3,
                                               block, count, gathered)
                                              .data);
                if (!compact) std::memcpy(normal_out, normal_values, 12 * count);
            } else {
                try {
                    write_unit_normals(normal_out, rows(input->normals, 3, block, count, gathered));
                } catch (const InputError& error) {
                    throw_value_error(error.field, error.problem, error.row + (block - begin), error.component, error.value,
                                      error.limit);
                }
            }
            if (compact) {
                for (size_t v = 0; v < count; ++v) {
                    const float* n = normal_values + 3 * v;
                    const int8_t packed[4] = {snorm8(n[0]), snorm8(n[1]), snorm8(n[2]), 0};
                    std::memcpy(payload + normal_offset + kQuantizedNormalStride * (block + v), packed, 4);
                }
            }
            if (input->uv.given)
                write_float32(reinterpret_cast<float*>(payload + uv_offset) + 2 * block,
                              rows(input->uv, 2, block, count, gathered));
        }
    });
}

void MeshLayout::write_colors(uint8_t* payload, uint32_t thread_count) const {
    for_row_ranges(vertex_count, thread_count, [&](size_t begin, size_t end) {
        alignas(8) uint8_t gathered[4 * 8 * kBlockRows];
        for (size_t block = begin; block < end; block += kBlockRows) {
            const size_t count = std::min(kBlockRows, end - block);
            const ColorRows values =
                colors.rows() <= 1 ? colors
                                   : ColorRows{rows(colors.values, colors.components, block, count, gathered), colors.components};
            try {
                if (!compact) {
                    write_colors_float32(reinterpret_cast<float*>(payload + color_offset) + 4 * block, count, values, 4,
                                         Field::colors);
                } else {
                    write_colors_unorm8(payload + color_offset + 4 * block, 4, count, values, 4, Field::colors);
                }
            } catch (const InputError& error) {
                throw_value_error(error.field, error.problem, error.row + (block - begin), error.component, error.value,
                                  error.limit);
            }
        }
    });
}

void MeshLayout::write(uint8_t* payload, uint32_t thread_count) const {
    ScratchArray<float> input_unit_normals;
    if (source && input->normals.given) input_unit_normals = unit_normals_of_input(input->normals, thread_count);
    if (source && has_colors && colors.rows() > 1) check_gathered_colors(thread_count);
    write_indices(payload, thread_count);
    // Smooth normals the plan left to the write: from the faces as they are written.
    ScratchArray<float> smooth;
    const float* computed = normals.get();
    if (!input->normals.given && computed == nullptr) {
        const uint32_t* written_faces = faces ? faces.get() : reinterpret_cast<const uint32_t*>(payload + index_offset);
        float* out = compact ? (smooth = allocate_scratch<float>(3 * vertex_count)).get()
                             : reinterpret_cast<float*>(payload + normal_offset);
        write_area_weighted_normals(out, input->positions, written_faces, face_count, thread_count);
        computed = out;
    }
    write_vertices(payload, computed, input_unit_normals.get(), thread_count);
    if (has_colors) write_colors(payload, thread_count);
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
    if (input.uv.given) {
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
    const uint32_t uv_view = input.uv.given ? add_uv_view(document, layout) : 0;
    gltf::Material material = material_of(material_of(input, layout.has_colors));
    material.blend = material.base_color[3] < 1;
    if (input.texture.given) add_texture(document, layout, input, material);
    const uint32_t material_index = document.add(material);

    gltf::Mesh mesh;
    mesh.name = "MeshGeometry";
    const std::vector<VertexWindow> whole = {VertexWindow{0, layout.face_count, 0, layout.vertex_count}};
    const std::vector<VertexWindow>& windows = layout.short_indices ? layout.windows : whole;
    uint64_t index_byte = 0;
    for (const VertexWindow& window : windows) {
        Accessor positions;
        positions.buffer_view = position_view;
        positions.byte_offset = window.first_vertex * kQuantizedPositionStride;
        positions.count = window.vertex_count;
        set_quantized_positions(positions, layout.extremes(window.first_vertex, window.vertex_count), layout.quantization);
        Accessor normals;
        normals.buffer_view = normal_view;
        normals.byte_offset = window.first_vertex * kQuantizedNormalStride;
        normals.component_type = ComponentType::int8;
        normals.normalized = true;
        normals.count = window.vertex_count;
        gltf::Primitive triangles;
        triangles.attributes = {{"POSITION", document.add(positions)}, {"NORMAL", document.add(normals)}};
        if (layout.has_colors) {
            Accessor colors;
            colors.buffer_view = color_view;
            colors.byte_offset = window.first_vertex * 4;
            colors.component_type = ComponentType::uint8;
            colors.normalized = true;
            colors.count = window.vertex_count;
            colors.type = AccessorType::vec4;
            triangles.attributes.push_back({"COLOR_0", document.add(colors)});
        }
        if (input.uv.given)
            triangles.attributes.push_back(
                {"TEXCOORD_0", add_uv(document, uv_view, window.first_vertex, window.vertex_count)});
        Accessor indices;
        indices.buffer_view = index_view;
        indices.byte_offset = index_byte;
        indices.component_type = layout.short_indices ? ComponentType::uint16 : ComponentType::uint32;
        indices.count = 3 * uint64_t(window.face_count);
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

// Positions of the written vertices as float32, for the spatial order of windows.
ScratchArray<float> float_positions(const MeshLayout& layout) {
    ScratchArray<float> positions = allocate_scratch<float>(3 * layout.vertex_count + 3);
    for_row_ranges(layout.vertex_count, [&](size_t begin, size_t end) {
        alignas(8) uint8_t gathered[3 * 8 * kBlockRows];
        for (size_t block = begin; block < end; block += kBlockRows) {
            const size_t count = std::min(kBlockRows, end - block);
            write_float32(positions.get() + 3 * block, layout.rows(layout.input->positions, 3, block, count, gathered));
        }
    });
    return positions;
}

// A compact mesh of more vertices than 16-bit indices reach: primitives over
// windows of its vertices, the faces in their own order when that repeats few
// vertices at the seams, else in a spatial order; one primitive of 32-bit
// indices when neither keeps the repeated vertices to kMostRepeated of them.
constexpr double kMostRepeated = 0.01;

void place_in_windows(MeshLayout& layout) {
    const size_t vertices = layout.vertex_count;
    WindowedMesh windowed = windows_in_order(layout.faces.get(), layout.face_count, vertices, kMostRepeated);
    if (windowed.windows.empty())
        windowed = windows_in_space(layout.faces.get(), layout.face_count, vertices, float_positions(layout).get(),
                                    kMostRepeated);
    if (windowed.windows.empty()) return;  // 32-bit indices, the vertices as they are

    const uint32_t* window_source = windowed.source.get();
    const TriangleMesh& input = *layout.input;
    // The normals follow their vertices: those the plan made, or the smooth ones, made here from the faces as given.
    if (!input.normals.given) {
        if (!layout.normals) {
            layout.normals = allocate_scratch<float>(3 * vertices + 3);
            write_area_weighted_normals(layout.normals.get(), input.positions, layout.faces.get(), layout.face_count, 0);
        }
        ScratchArray<float> normals = allocate_scratch<float>(3 * windowed.vertex_count + 3);
        for (size_t v = 0; v < windowed.vertex_count; ++v)
            std::memcpy(normals.get() + 3 * v, layout.normals.get() + 3 * size_t(window_source[v]), 12);
        layout.normals = std::move(normals);
    }
    // Each windowed vertex copies an input vertex: through the split's copies, if any.
    if (layout.source) {
        for (size_t v = 0; v < windowed.vertex_count; ++v) windowed.source[v] = layout.source[window_source[v]];
    }
    layout.source = std::move(windowed.source);
    layout.faces = std::move(windowed.faces);
    layout.vertex_count = windowed.vertex_count;
    layout.windows = std::move(windowed.windows);
    layout.short_indices = true;
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
    if (layout.has_colors) layout.colors = resolved_colors(input.colors, layout.vertex_count);
    if (input.texture.given && image_type(input.texture) == nullptr)
        throw_value_error(Field::texture, Problem::not_an_image, kNoIndex, kNoIndex, 0);
    if (input.uv.given) require_finite_rows(input.uv, 2, Field::uv);
    const Extremes extremes = row_extremes(input.positions, Field::positions);

    const bool split = !input.normals.given && input.normals_mode != NormalsMode::smooth;
    if (split || layout.compact) {
        layout.faces = allocate_scratch<uint32_t>(input.faces.count);
        uint32_t* faces = layout.faces.get();
        for_row_ranges(layout.face_count, [&](size_t begin, size_t end) {
            read_indices(faces + 3 * begin, subview(input.faces, 3 * begin, 3 * (end - begin)), 3, layout.vertex_count,
                         Field::indices);
        });
    }
    if (split) {
        const double cosine = std::cos((input.normals_mode == NormalsMode::flat ? kFlatAngle : input.crease_angle) * kPi / 180);
        SplitVertices copies = split_at_creases(layout.faces.get(), layout.face_count, input.positions, cosine, 0);
        layout.vertex_count = copies.count;
        layout.source = std::move(copies.source);
        layout.normals = std::move(copies.normals);
    }

    uint32_t node;
    if (!layout.compact) {
        node = add_float32_mesh(document, layout, input, extremes);
    } else {
        // One scale for all three axes, so that the node's transform keeps the normals' directions.
        layout.quantization = quantization_of(extremes, true);
        if (layout.vertex_count <= kWindowVertices) {
            layout.windows = {VertexWindow{0, layout.face_count, 0, layout.vertex_count}};
            layout.short_indices = true;
        } else {
            place_in_windows(layout);
        }
        node = add_compact_mesh(document, layout, input);
    }
    return PlannedPart{node, std::move(owned)};
}

}  // namespace glb
