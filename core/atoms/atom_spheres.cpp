// The sphere styles of the checked atom builder. One sphere mesh per colour
// group, drawn at every atom of that group by one node with EXT_mesh_gpu_instancing
// (TRANSLATION per atom, SCALE where radii differ within the group), atoms of a
// group in Morton order; bonds as two half-sticks each, instanced per group of the
// atom at their end. Or, without instancing, all of it as plain triangles.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "atoms/atom_layout.h"
#include "document/builder_support.h"
#include "inputs/checked_inputs.h"
#include "chemistry/elements.h"
#include "inputs/arrays.h"
#include "parallel/parallel.h"
#include "encodings/quantization.h"
#include "atoms/sphere_geometry.h"

namespace glb {

using gltf::Accessor;
using gltf::AccessorType;
using gltf::BufferView;
using gltf::ComponentType;
using gltf::Target;

namespace {

constexpr const char* kInstancingExtension = "EXT_mesh_gpu_instancing";
constexpr float kStickRadiusFactor = 0.3f;  // of the smaller sphere at its two ends
constexpr uint64_t kSphereGeometryBytes = kSphereVertices * 12;
constexpr uint64_t kSphereIndexBytes = 3 * kSphereTriangles * 2;
constexpr uint64_t kStickGeometryBytes = kStickVertices * 12;
constexpr uint64_t kStickIndexBytes = 3 * kStickTriangles * 2;


// Typical distance between neighbours: the box's volume (or area, or length, on
// the axes where it is not flat) shared among the atoms.
double typical_spacing(const Bounds3& box, size_t atoms) {
    double extents[3], largest = 0;
    for (int axis = 0; axis < 3; ++axis) {
        extents[axis] = box.max[axis] - box.min[axis];
        largest = std::max(largest, extents[axis]);
    }
    double measure = 1;
    int dimensions = 0;
    for (const double extent : extents) {
        if (extent > largest * 1e-6 && extent > 0) {
            measure *= extent;
            ++dimensions;
        }
    }
    if (dimensions == 0) return 1;
    return std::pow(measure / double(atoms), 1.0 / dimensions);
}

struct Stick {
    uint32_t from, to;
};


// Whether bond k joins an atom to an image in another cell.
bool crosses_boundary(const AtomCloud& input, size_t bond) {
    if (!input.bond_shifts.given) return false;
    for (size_t k = 0; k < 3; ++k)
        if (element_as_double(input.bond_shifts, 3 * bond + k) != 0) return true;
    return false;
}

// Bond k's two atoms, checked: both below the atom count and not the same atom.
template <typename Each>
void for_each_bond(const AtomCloud& input, size_t atoms, Each&& each) {
    uint32_t first = 0;
    read_checked_indices(input.bonds, 2, atoms, Field::bonds, [&](size_t i, uint32_t atom) {
        if (i % 2 == 0) {
            first = atom;
            return;
        }
        // An atom may bond to its own periodic image, never to itself.
        if (atom == first && !crosses_boundary(input, i / 2))
            throw_value_error(Field::bonds, Problem::same_atom, i / 2, kNoIndex, double(atom));
        each(i / 2, Stick{first, atom});
    });
}

// The written sphere of a row: the unit sphere scaled by the row's radius (or 1).
void scaled_sphere(float out[kSphereVertices][3], float radius) {
    const UnitSphere& sphere = unit_sphere();
    for (size_t v = 0; v < kSphereVertices; ++v)
        for (int axis = 0; axis < 3; ++axis) out[v][axis] = sphere.positions[v][axis] * radius;
}

Accessor float_accessor(uint32_t view, uint64_t offset, uint64_t count, AccessorType type) {
    Accessor accessor;
    accessor.buffer_view = view;
    accessor.byte_offset = offset;
    accessor.count = count;
    accessor.type = type;
    return accessor;
}

Accessor position_accessor(uint32_t view, uint64_t offset, uint64_t count, const Extremes& extremes) {
    Accessor accessor = float_accessor(view, offset, count, AccessorType::vec3);
    accessor.bounds = gltf::BoundsKind::floats;
    for (int axis = 0; axis < 3; ++axis) {
        accessor.min[axis] = extremes.min[axis];
        accessor.max[axis] = extremes.max[axis];
    }
    return accessor;
}

Accessor index_accessor(uint32_t view, uint64_t offset, uint64_t count, ComponentType type) {
    Accessor accessor;
    accessor.buffer_view = view;
    accessor.byte_offset = offset;
    accessor.component_type = type;
    accessor.count = count;
    accessor.type = AccessorType::scalar;
    return accessor;
}

Extremes extremes_of(const float (*points)[3], size_t count) {
    Extremes e{{HUGE_VALF, HUGE_VALF, HUGE_VALF}, {-HUGE_VALF, -HUGE_VALF, -HUGE_VALF}};
    for (size_t i = 0; i < count; ++i) {
        for (int axis = 0; axis < 3; ++axis) {
            e.min[axis] = std::min(e.min[axis], points[i][axis]);
            e.max[axis] = std::max(e.max[axis], points[i][axis]);
        }
    }
    return e;
}

void widen(Extremes& extremes, const float* point) {
    for (int axis = 0; axis < 3; ++axis) {
        extremes.min[axis] = std::min(extremes.min[axis], point[axis]);
        extremes.max[axis] = std::max(extremes.max[axis], point[axis]);
    }
}

void require_finite_extremes(const Extremes& extremes) {
    for (int axis = 0; axis < 3; ++axis)
        if (!std::isfinite(extremes.min[axis]) || !std::isfinite(extremes.max[axis]))
            throw_value_error(Field::positions, Problem::geometry_beyond_float32, kNoIndex, size_t(axis),
                              std::isfinite(extremes.min[axis]) ? extremes.max[axis] : extremes.min[axis]);
}

// One half-stick's transform as the file holds it: from the atom, rotated, scaled.
struct HalfStick {
    float translation[3];
    float rotation[4];
    float scale[3];
};

HalfStick half_stick(const float* from, const float* to, float from_radius, float to_radius) {
    const StickPlacement placement = place_stick(from, to);
    HalfStick half{};
    for (int axis = 0; axis < 3; ++axis) half.translation[axis] = from[axis];
    for (int i = 0; i < 4; ++i) half.rotation[i] = float(placement.rotation[i]);
    const float radius = kStickRadiusFactor * std::min(from_radius, to_radius);
    half.scale[0] = radius;
    half.scale[1] = float(placement.half_length);
    half.scale[2] = radius;
    return half;
}

int16_t snorm16(float value) {
    const float scaled = value * 32767.0f;
    return int16_t(scaled >= 0 ? std::floor(scaled + 0.5f) : -std::floor(-scaled + 0.5f));
}

}  // namespace

void stick_target(float* out, const AtomCloud& input, const float* positions, size_t bond, uint32_t to, bool forward) {
    // positions null: read from the input as the file will hold them.
    for (size_t axis = 0; axis < 3; ++axis)
        out[axis] = positions != nullptr ? positions[3 * size_t(to) + axis]
                                         : to_float32(element_as_double(input.positions, 3 * size_t(to) + axis));
    if (!input.bond_shifts.given) return;
    // The bond joins the first atom to the second's image at p + S . cell; seen from the second, -S.
    const double sign = forward ? 1.0 : -1.0;
    for (size_t axis = 0; axis < 3; ++axis) {
        double shift = 0;
        for (size_t k = 0; k < 3; ++k) shift += element_as_double(input.bond_shifts, 3 * bond + k) * input.cell[3 * k + axis];
        out[axis] = to_float32(double(out[axis]) + sign * shift);
    }
}

void require_radius(double radius, Field field, size_t row) {
    const float written = to_float32(radius);
    if (!std::isfinite(radius)) throw_value_error(field, Problem::not_finite, row, kNoIndex, radius);
    if (std::isinf(written)) throw_value_error(field, Problem::beyond_float32, row, kNoIndex, radius);
    if (!(written > 0)) throw_value_error(field, Problem::not_positive, row, kNoIndex, radius);
}

float radius_of(const AtomLayout& layout, const AtomCloud& input, size_t i) {
    switch (layout.radius_source) {
        case RadiusSource::per_atom: return to_float32(element_as_double(input.radii, i));
        case RadiusSource::elements: return covalent_radius(layout.elements[i]) * layout.element_radius_factor;
        case RadiusSource::one: break;
    }
    return layout.radius;
}

namespace {

// The plan's work on radii, groups and bonds.
void group_atoms(AtomLayout& layout, const AtomCloud& input) {
    const size_t atoms = layout.atom_count;
    const bool half_size = input.style == AtomStyle::ball_and_stick;
    if (input.radii.given) {
        layout.radius_source = RadiusSource::per_atom;
        for (size_t i = 0; i < atoms; ++i) {
            const double r = element_as_double(input.radii, i);
            require_radius(r, Field::radii, i);
        }
    } else if (input.has_radius) {
        layout.radius = to_float32(input.radius);
    } else if (layout.elements) {
        layout.radius_source = RadiusSource::elements;
        layout.element_radius_factor = half_size ? 0.5f : 1.0f;
    } else {
        // Neighbours a typical spacing apart just touch (spheres), or leave room for sticks.
        layout.radius = to_float32(typical_spacing(layout.morton_bounds, atoms) * (half_size ? 0.25 : 0.5));
    }
    layout.instance_colors = layout.group_colors.size() > kMaxColorGroups;
    const size_t group_count = layout.instance_colors ? 1 : layout.group_colors.size();
    layout.spheres.assign(group_count, AtomGroup{});
    layout.sticks.assign(group_count, AtomGroup{});
    for (size_t i = 0; i < atoms; ++i) {
        AtomGroup& group = layout.spheres[group_of_atom(layout, input, i)];
        const float r = radius_of(layout, input, i);
        if (group.count++ == 0) group.radius = r;
        else if (r != group.radius) group.scaled = true;
        group.largest_radius = std::max(group.largest_radius, r);
    }
    size_t first = 0;
    for (AtomGroup& group : layout.spheres) {
        group.first = first;
        first += group.count;
        group.scaled_first = layout.scaled_count;
        if (group.scaled) layout.scaled_count += group.count;
    }
    for_each_bond(input, atoms, [&](size_t bond, Stick stick) {
        // Half of a bond longer than the float range would be an infinite scale.
        float ends[2][3];
        for (size_t axis = 0; axis < 3; ++axis)
            ends[0][axis] = to_float32(element_as_double(input.positions, 3 * size_t(stick.from) + axis));
        stick_target(ends[1], input, nullptr, bond, stick.to, true);
        double squared = 0;
        for (size_t axis = 0; axis < 3; ++axis) {
            const double d = double(ends[1][axis]) - ends[0][axis];
            squared += d * d;
        }
        const double half_length = 0.5 * std::sqrt(squared);
        if (std::isinf(to_float32(half_length)))
            throw_value_error(Field::bonds, Problem::geometry_beyond_float32, bond, kNoIndex, 2 * half_length);
        ++layout.sticks[group_of_atom(layout, input, stick.from)].count;
        ++layout.sticks[group_of_atom(layout, input, stick.to)].count;
    });
    first = 0;
    for (AtomGroup& group : layout.sticks) {
        group.first = first;
        first += group.count;
    }
    layout.stick_count = first;
}

gltf::Material material_of_group(const AtomLayout& layout, uint32_t group) {
    gltf::Material material;
    material.roughness = 0.4;
    if (layout.instance_colors) return material;  // white: each instance's _COLOR_0 gives its colour
    for (int channel = 0; channel < 4; ++channel) material.base_color[channel] = layout.group_colors[group][channel];
    material.blend = layout.group_colors[group][3] < 1;
    material.roughness = 0.4;
    return material;
}


// A buffer view of its own block.
uint32_t add_block(gltf::Document& document, uint64_t length, uint32_t stride, Target target, uint64_t& offset) {
    offset = document.reserve(length);
    return document.add(BufferView{offset, length, stride, target});
}

// The instanced spheres and sticks: the shared meshes, then the instances.
uint32_t instanced_document(gltf::Document& document, AtomLayout& layout, const AtomCloud& input) {
    document.require(kInstancingExtension);
    gltf::Node root_node;
    root_node.name = "Atoms";
    const uint32_t root = document.add(root_node);
    const bool compact = input.encoding == Encoding::compact;
    const bool sticks = layout.stick_count != 0;
    const uint32_t group_count = uint32_t(layout.spheres.size());
    std::vector<int64_t> material_of(group_count, gltf::kNone);
    for (uint32_t row = 0; row < group_count; ++row) {
        if (layout.spheres[row].count + layout.sticks[row].count == 0) continue;
        material_of[row] = document.add(material_of_group(layout, row));
    }

    // The meshes: normals and indices shared by every sphere; positions of the
    // unit sphere (groups with a SCALE per atom) and of each radius that a group's atoms share.
    const uint32_t sphere_normals = add_block(document, kSphereGeometryBytes, 0, Target::vertices, layout.normal_offset);
    const uint32_t sphere_indices = add_block(document, kSphereIndexBytes, 0, Target::indices, layout.index_offset);
    std::vector<float> radii;  // of the groups that are not scaled, each once
    for (const AtomGroup& group : layout.spheres)
        if (group.count != 0 && !group.scaled && std::find(radii.begin(), radii.end(), group.radius) == radii.end())
            radii.push_back(group.radius);
    const size_t variants = radii.size();
    const bool unit = layout.scaled_count != 0;
    // Several accessors in one vertex view: it must give its stride.
    uint64_t shapes_offset = 0;
    const uint32_t sphere_positions =
        add_block(document, (variants + unit) * kSphereGeometryBytes, 12, Target::vertices, shapes_offset);
    const uint32_t normal_accessor = document.add(float_accessor(sphere_normals, 0, kSphereVertices, AccessorType::vec3));
    const uint32_t sphere_index_accessor =
        document.add(index_accessor(sphere_indices, 0, 3 * kSphereTriangles, ComponentType::uint16));
    int64_t unit_positions = gltf::kNone;
    uint64_t variant_offset = 0;
    float shape[kSphereVertices][3];
    if (unit) {
        scaled_sphere(shape, 1);
        layout.unit_shape_offset = shapes_offset;
        unit_positions = document.add(position_accessor(sphere_positions, 0, kSphereVertices, extremes_of(shape, kSphereVertices)));
        variant_offset += kSphereGeometryBytes;
    }
    std::vector<uint32_t> radius_positions(variants);
    for (size_t k = 0; k < variants; ++k) {
        scaled_sphere(shape, radii[k]);
        radius_positions[k] = document.add(position_accessor(sphere_positions, variant_offset + k * kSphereGeometryBytes,
                                                             kSphereVertices, extremes_of(shape, kSphereVertices)));
    }
    std::vector<int64_t> mesh_of_row(group_count, gltf::kNone);
    for (uint32_t row = 0; row < group_count; ++row) {
        AtomGroup& group = layout.spheres[row];
        if (group.count == 0) continue;
        uint32_t positions;
        if (group.scaled) {
            positions = uint32_t(unit_positions);
        } else {
            const size_t k = size_t(std::find(radii.begin(), radii.end(), group.radius) - radii.begin());
            group.shape_offset = shapes_offset + variant_offset + k * kSphereGeometryBytes;
            positions = radius_positions[k];
        }
        gltf::Primitive triangles;
        triangles.attributes.push_back({"POSITION", positions});
        triangles.attributes.push_back({"NORMAL", normal_accessor});
        triangles.indices = sphere_index_accessor;
        triangles.material = material_of[row];
        mesh_of_row[row] = document.add(gltf::Mesh{{triangles}, "Sphere " + group_name(layout, row)});
    }
    int64_t stick_positions = gltf::kNone, stick_normals = gltf::kNone, stick_indices = gltf::kNone;
    if (sticks) {
        const UnitStick& stick = unit_stick();
        const uint32_t positions_view = add_block(document, kStickGeometryBytes, 0, Target::vertices, layout.stick_shape_offset);
        const uint32_t normals_view = add_block(document, kStickGeometryBytes, 0, Target::vertices, layout.stick_normal_offset);
        const uint32_t indices_view = add_block(document, kStickIndexBytes, 0, Target::indices, layout.stick_index_offset);
        stick_positions = document.add(position_accessor(positions_view, 0, kStickVertices, extremes_of(stick.positions, kStickVertices)));
        stick_normals = document.add(float_accessor(normals_view, 0, kStickVertices, AccessorType::vec3));
        stick_indices = document.add(index_accessor(indices_view, 0, 3 * kStickTriangles, ComponentType::uint16));
    }

    // The instances: translations of every atom, row after row; scales of the rows that need them.
    const uint32_t translations =
        add_block(document, 12 * uint64_t(layout.atom_count), 0, Target::none, layout.position_offset);
    const int64_t scales =
        unit ? add_block(document, 12 * uint64_t(layout.scaled_count), 0, Target::none, layout.scale_offset) : gltf::kNone;
    const uint64_t rotation_size = compact ? 8 : 16;
    const uint64_t s = layout.stick_count;
    int64_t stick_translations = gltf::kNone, stick_rotations = gltf::kNone, stick_scales = gltf::kNone;
    if (sticks) {
        stick_translations = add_block(document, 12 * s, 0, Target::none, layout.stick_translation_offset);
        stick_rotations = add_block(document, rotation_size * s, 0, Target::none, layout.stick_rotation_offset);
        stick_scales = add_block(document, 12 * s, 0, Target::none, layout.stick_scale_offset);
    }
    int64_t sphere_colors = gltf::kNone, stick_colors = gltf::kNone;
    if (layout.instance_colors) {
        sphere_colors = add_block(document, 12 * uint64_t(layout.atom_count), 0, Target::none, layout.instance_color_offset);
        if (sticks) stick_colors = add_block(document, 12 * s, 0, Target::none, layout.stick_color_offset);
    }
    for (uint32_t row = 0; row < group_count; ++row) {
        const AtomGroup& group = layout.spheres[row];
        if (group.count == 0) continue;
        gltf::Node node;
        node.mesh = mesh_of_row[row];
        node.name = "Atoms " + group_name(layout, row);
        node.instances.push_back({"TRANSLATION", document.add(float_accessor(translations, 12 * group.first, group.count, AccessorType::vec3))});
        if (group.scaled)
            node.instances.push_back({"SCALE", document.add(float_accessor(uint32_t(scales), 12 * group.scaled_first,
                                                                            group.count, AccessorType::vec3))});
        if (layout.instance_colors)
            node.instances.push_back({"_COLOR_0", document.add(float_accessor(uint32_t(sphere_colors), 12 * group.first,
                                                                               group.count, AccessorType::vec3))});
        const uint32_t child = document.add(node);  // before the reference: adding may move the nodes
        document.nodes[root].children.push_back(child);
    }
    for (uint32_t row = 0; row < group_count && sticks; ++row) {
        const AtomGroup& group = layout.sticks[row];
        if (group.count == 0) continue;
        gltf::Primitive triangles;
        triangles.attributes.push_back({"POSITION", uint32_t(stick_positions)});
        triangles.attributes.push_back({"NORMAL", uint32_t(stick_normals)});
        triangles.indices = stick_indices;
        triangles.material = material_of[row];
        gltf::Node node;
        node.mesh = document.add(gltf::Mesh{{triangles}, "Stick " + group_name(layout, row)});
        node.name = "Bonds " + group_name(layout, row);
        Accessor rotation = float_accessor(uint32_t(stick_rotations), rotation_size * group.first, group.count, AccessorType::vec4);
        if (compact) {
            rotation.component_type = ComponentType::int16;
            rotation.normalized = true;
        }
        node.instances.push_back({"TRANSLATION", document.add(float_accessor(uint32_t(stick_translations), 12 * group.first,
                                                                             group.count, AccessorType::vec3))});
        node.instances.push_back({"ROTATION", document.add(rotation)});
        node.instances.push_back({"SCALE", document.add(float_accessor(uint32_t(stick_scales), 12 * group.first, group.count,
                                                                       AccessorType::vec3))});
        if (layout.instance_colors)
            node.instances.push_back({"_COLOR_0", document.add(float_accessor(uint32_t(stick_colors), 12 * group.first,
                                                                               group.count, AccessorType::vec3))});
        const uint32_t child = document.add(node);  // before the reference: adding may move the nodes
        document.nodes[root].children.push_back(child);
    }
    return root;
}

// Plain triangles: per palette row one primitive of spheres, then one of sticks;
// vertices row after row, spheres before sticks.
void place_plain_groups(AtomLayout& layout) {
    const auto place = [&](PlainGroup& group, uint64_t count, uint64_t vertices, uint64_t indices) {
        group.first_vertex = layout.plain_vertex_count;
        group.vertex_count = count * vertices;
        group.first_index = layout.plain_index_count;
        group.index_count = count * indices;
        layout.plain_vertex_count += group.vertex_count;
        layout.plain_index_count += group.index_count;
    };
    const size_t group_count = layout.spheres.size();
    layout.plain_spheres.assign(group_count, PlainGroup{});
    layout.plain_sticks.assign(group_count, PlainGroup{});
    for (size_t row = 0; row < group_count; ++row)
        place(layout.plain_spheres[row], layout.spheres[row].count, kSphereVertices, 3 * kSphereTriangles);
    for (size_t row = 0; row < group_count; ++row)
        place(layout.plain_sticks[row], layout.sticks[row].count, kStickVertices, 3 * kStickTriangles);
}

// The vertices of atom i's sphere: each(position, normal).
template <typename Each>
void sphere_vertices(const float* p, float r, Each&& each) {
    const UnitSphere& sphere = unit_sphere();
    for (size_t v = 0; v < kSphereVertices; ++v) {
        const float* n = sphere.positions[v];
        const float at[3] = {p[0] + r * n[0], p[1] + r * n[1], p[2] + r * n[2]};
        each(at, n);
    }
}

// The vertices of both halves of every stick: each(row, atom, position, normal), in bond order.
template <typename Each>
void stick_vertices(const AtomLayout& layout, const AtomCloud& input, const float* positions, Each&& each) {
    for_each_bond(input, layout.atom_count, [&](size_t bond, Stick stick) {
        for (const auto& [from, to, forward] : {std::tuple{stick.from, stick.to, true}, {stick.to, stick.from, false}}) {
            float target[3];
            stick_target(target, input, positions, bond, to, forward);
            const HalfStick half = half_stick(positions + 3 * size_t(from), target, radius_of(layout, input, from),
                                              radius_of(layout, input, to));
            const uint32_t row = group_of_atom(layout, input, from);
            for (size_t v = 0; v < kStickVertices; ++v) {
                float at[3], n[3];
                placed_stick_vertex(at, n, half.translation, half.rotation, half.scale, v);
                each(row, from, at, n);
            }
        }
    });
}

uint32_t plain_document(gltf::Document& document, AtomLayout& layout, const AtomCloud& input) {
    place_plain_groups(layout);
    // The exact extremes of every row's vertices, computed as the write computes them.
    ScratchArray<float> converted = allocate_scratch<float>(3 * layout.atom_count);
    write_float32(converted.get(), input.positions);
    for (size_t i = 0; i < layout.atom_count; ++i) {
        PlainGroup& group = layout.plain_spheres[group_of_atom(layout, input, i)];
        sphere_vertices(converted.get() + 3 * i, radius_of(layout, input, i), [&](const float* at, const float*) { widen(group.extremes, at); });
    }
    stick_vertices(layout, input, converted.get(), [&](uint32_t row, uint32_t, const float* at, const float*) { widen(layout.plain_sticks[row].extremes, at); });
    const bool compact = input.encoding == Encoding::compact;
    Extremes all{{HUGE_VALF, HUGE_VALF, HUGE_VALF}, {-HUGE_VALF, -HUGE_VALF, -HUGE_VALF}};
    for (const std::vector<PlainGroup>* groups : {&layout.plain_spheres, &layout.plain_sticks})
        for (const PlainGroup& group : *groups)
            if (group.vertex_count != 0) {
                widen(all, group.extremes.min);
                widen(all, group.extremes.max);
            }
    require_finite_extremes(all);
    if (compact) {
        document.require(kQuantizationExtension);
        layout.quantization = quantization_of(all, true);
    }

    gltf::Node root_node;
    root_node.name = "Atoms";
    const uint32_t root = document.add(root_node);
    const uint64_t position_stride = compact ? kQuantizedPositionStride : 12;
    const uint64_t normal_stride = compact ? kQuantizedNormalStride : 12;
    // Several accessors in each vertex view: they must give their stride.
    const uint32_t positions = add_block(document, layout.plain_vertex_count * position_stride, uint32_t(position_stride),
                                         Target::vertices, layout.position_offset);
    const uint32_t normals = add_block(document, layout.plain_vertex_count * normal_stride, uint32_t(normal_stride),
                                       Target::vertices, layout.normal_offset);
    const uint32_t indices = add_block(document, 4 * layout.plain_index_count, 0, Target::indices, layout.index_offset);
    // Many colours: one primitive each way, its vertices coloured (8-bit, 4-byte aligned, when compact).
    const uint64_t color_stride = compact ? 4 : 12;
    const int64_t colors = layout.instance_colors ? add_block(document, layout.plain_vertex_count * color_stride,
                                                              uint32_t(color_stride), Target::vertices, layout.color_offset)
                                                  : gltf::kNone;
    for (int kind = 0; kind < 2; ++kind) {
        for (uint32_t row = 0; row < uint32_t(layout.plain_spheres.size()); ++row) {
            const PlainGroup& group = kind == 0 ? layout.plain_spheres[row] : layout.plain_sticks[row];
            if (group.vertex_count == 0) continue;
            Accessor position = float_accessor(positions, group.first_vertex * position_stride, group.vertex_count, AccessorType::vec3);
            Accessor normal = float_accessor(normals, group.first_vertex * normal_stride, group.vertex_count, AccessorType::vec3);
            if (compact) {
                set_quantized_positions(position, group.extremes, layout.quantization);
                normal.component_type = ComponentType::int8;
                normal.normalized = true;
            } else {
                position = position_accessor(positions, position.byte_offset, group.vertex_count, group.extremes);
            }
            gltf::Primitive triangles;
            triangles.attributes.push_back({"POSITION", document.add(position)});
            triangles.attributes.push_back({"NORMAL", document.add(normal)});
            if (layout.instance_colors) {
                Accessor color = float_accessor(uint32_t(colors), group.first_vertex * color_stride, group.vertex_count, AccessorType::vec3);
                if (compact) {
                    color.component_type = ComponentType::uint8;
                    color.normalized = true;
                }
                triangles.attributes.push_back({"COLOR_0", document.add(color)});
            }
            triangles.indices = document.add(index_accessor(indices, 4 * group.first_index, group.index_count, ComponentType::uint32));
            triangles.material = document.add(material_of_group(layout, row));
            gltf::Node node;
            node.mesh = document.add(gltf::Mesh{{triangles}, std::string(kind == 0 ? "Spheres " : "Sticks ") + group_name(layout, row)});
            node.name = std::string(kind == 0 ? "Atoms " : "Bonds ") + group_name(layout, row);
            if (compact) set_dequantization(node, layout.quantization);
            const uint32_t child = document.add(node);  // before the reference: adding may move the nodes
            document.nodes[root].children.push_back(child);
        }
    }
    return root;
}

// Instanced spheres reach as far as plain ones: refused alike when a sphere's
// vertices, placed at its atom, would lie beyond the float32 range. Checked
// vertex by vertex, as plain triangles are, only when the farthest position and
// the largest radius could reach that far.
void require_instanced_spheres_within_float32(const AtomLayout& layout, const AtomCloud& input) {
    double farthest = 0, largest = 0;
    for (int axis = 0; axis < 3; ++axis)
        farthest = std::max({farthest, std::fabs(double(layout.extremes.min[axis])), std::fabs(double(layout.extremes.max[axis]))});
    for (const AtomGroup& group : layout.spheres) largest = std::max(largest, double(group.largest_radius));
    if (farthest + largest <= FLT_MAX / 2) return;
    ScratchArray<float> converted = allocate_scratch<float>(3 * layout.atom_count);
    write_float32(converted.get(), input.positions);
    Extremes all{{HUGE_VALF, HUGE_VALF, HUGE_VALF}, {-HUGE_VALF, -HUGE_VALF, -HUGE_VALF}};
    for (size_t i = 0; i < layout.atom_count; ++i)
        sphere_vertices(converted.get() + 3 * i, radius_of(layout, input, i), [&](const float* at, const float*) { widen(all, at); });
    require_finite_extremes(all);
}

}  // namespace

uint32_t plan_spheres(gltf::Document& document, AtomLayout& layout, const AtomCloud& input) {
    group_atoms(layout, input);
    if (input.instancing) {
        require_instanced_spheres_within_float32(layout, input);
        return instanced_document(document, layout, input);
    }
    return plain_document(document, layout, input);
}

namespace {

// Atoms in Morton order, then stably by colour group: each group's atoms consecutive.
ScratchArray<uint64_t> atoms_by_row(const AtomLayout& layout, const AtomCloud& input, const float* positions,
                                    uint32_t thread_count) {
    const size_t atoms = layout.atom_count;
    ScratchArray<uint64_t> entries = allocate_scratch<uint64_t>(atoms);
    ScratchArray<uint64_t> scratch = allocate_scratch<uint64_t>(atoms);
    const uint64_t* sorted = sort_along_morton_curve(entries.get(), scratch.get(), positions, atoms,
                                                     rows_of(layout, input), morton_box(layout.morton_bounds),
                                                     thread_count);
    // Into whichever of the two the sort did not end in.
    ScratchArray<uint64_t> by_row = std::move(sorted == entries.get() ? scratch : entries);
    std::vector<size_t> next(layout.spheres.size());
    for (size_t row = 0; row < next.size(); ++row) next[row] = layout.spheres[row].first;
    for (size_t i = 0; i < atoms; ++i) by_row[next[group_of_entry(layout, sorted[i])]++] = sorted[i];
    return by_row;
}

void write_plain(uint8_t* payload, const AtomLayout& layout, const AtomCloud& input, const float* positions,
                 uint32_t thread_count) {
    const bool compact = input.encoding == Encoding::compact;
    const uint64_t position_stride = compact ? kQuantizedPositionStride : 12;
    const uint64_t normal_stride = compact ? kQuantizedNormalStride : 12;
    uint8_t* vertex_positions = payload + layout.position_offset;
    uint8_t* vertex_normals = payload + layout.normal_offset;
    uint8_t* vertex_colors = payload + layout.color_offset;
    const auto put_color = [&](uint64_t vertex, uint32_t atom) {
        const float* color = layout.group_colors[color_group_of_atom(layout, input, atom)].data();
        if (!compact) return std::memcpy(vertex_colors + 12 * vertex, color, 12), void();
        const uint8_t bytes[4] = {uint8_t(color[0] * 255.0f + 0.5f), uint8_t(color[1] * 255.0f + 0.5f),
                                  uint8_t(color[2] * 255.0f + 0.5f), 0};
        std::memcpy(vertex_colors + 4 * vertex, bytes, 4);
    };
    const auto put = [&](uint64_t vertex, const float* at, const float* n) {
        if (compact) {
            const int16_t q[4] = {quantize(at[0], layout.quantization, 0), quantize(at[1], layout.quantization, 1),
                                  quantize(at[2], layout.quantization, 2), 0};
            const int8_t packed[4] = {snorm8(n[0]), snorm8(n[1]), snorm8(n[2]), 0};
            std::memcpy(vertex_positions + position_stride * vertex, q, 8);
            std::memcpy(vertex_normals + normal_stride * vertex, packed, 4);
        } else {
            std::memcpy(vertex_positions + 12 * vertex, at, 12);
            std::memcpy(vertex_normals + 12 * vertex, n, 12);
        }
    };
    const ScratchArray<uint64_t> order = atoms_by_row(layout, input, positions, thread_count);
    uint64_t vertex = 0;
    for (size_t i = 0; i < layout.atom_count; ++i) {
        const size_t atom = atom_of_entry(order[i]);
        sphere_vertices(positions + 3 * atom, radius_of(layout, input, atom), [&](const float* at, const float* n) {
            if (layout.instance_colors) put_color(vertex, uint32_t(atom));
            put(vertex++, at, n);
        });
    }
    std::vector<uint64_t> next(layout.plain_sticks.size());
    for (size_t row = 0; row < next.size(); ++row) next[row] = layout.plain_sticks[row].first_vertex;
    stick_vertices(layout, input, positions, [&](uint32_t row, uint32_t from, const float* at, const float* n) {
        if (layout.instance_colors) put_color(next[row], from);
        put(next[row]++, at, n);
    });
    uint32_t* indices = reinterpret_cast<uint32_t*>(payload + layout.index_offset);
    for (int kind = 0; kind < 2; ++kind) {
        for (size_t row = 0; row < layout.plain_spheres.size(); ++row) {
            const PlainGroup& group = kind == 0 ? layout.plain_spheres[row] : layout.plain_sticks[row];
            const size_t vertices = kind == 0 ? kSphereVertices : kStickVertices;
            const size_t corners = kind == 0 ? 3 * kSphereTriangles : 3 * kStickTriangles;
            const uint16_t* unit = kind == 0 ? unit_sphere().indices : unit_stick().indices;
            for (uint64_t shape = 0; shape < group.vertex_count / vertices; ++shape)
                for (size_t c = 0; c < corners; ++c) *indices++ = uint32_t(shape * vertices + unit[c]);
        }
    }
}

}  // namespace

void write_spheres(uint8_t* payload, const AtomLayout& layout, const AtomCloud& input, const float* positions,
                   uint32_t thread_count) {
    if (!input.instancing) return write_plain(payload, layout, input, positions, thread_count);
    const bool compact = input.encoding == Encoding::compact;
    const UnitSphere& sphere = unit_sphere();
    std::memcpy(payload + layout.normal_offset, sphere.positions, kSphereGeometryBytes);  // the normals of a unit sphere
    std::memcpy(payload + layout.index_offset, sphere.indices, kSphereIndexBytes);
    float shape[kSphereVertices][3];
    if (layout.scaled_count != 0) {
        scaled_sphere(shape, 1);
        std::memcpy(payload + layout.unit_shape_offset, shape, kSphereGeometryBytes);
    }
    for (const AtomGroup& group : layout.spheres) {
        if (group.count == 0 || group.scaled) continue;
        scaled_sphere(shape, group.radius);
        std::memcpy(payload + group.shape_offset, shape, kSphereGeometryBytes);
    }
    if (layout.stick_count != 0) {
        const UnitStick& stick = unit_stick();
        std::memcpy(payload + layout.stick_shape_offset, stick.positions, kStickGeometryBytes);
        std::memcpy(payload + layout.stick_normal_offset, stick.normals, kStickGeometryBytes);
        std::memcpy(payload + layout.stick_index_offset, stick.indices, kStickIndexBytes);
    }

    const ScratchArray<uint64_t> order = atoms_by_row(layout, input, positions, thread_count);
    gather_positions(payload + layout.position_offset, order.get(), layout.atom_count, positions, thread_count);
    if (layout.instance_colors) {
        uint8_t* colors = payload + layout.instance_color_offset;
        parallel_ranges(layout.atom_count, thread_count, [&](uint32_t, size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i)
                std::memcpy(colors + 12 * i, layout.group_colors[color_group_of_entry(layout, order[i])].data(), 12);
        });
    }
    if (layout.scaled_count != 0) {
        uint8_t* scales = payload + layout.scale_offset;
        parallel_ranges(layout.atom_count, thread_count, [&](uint32_t, size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i) {
                const AtomGroup& group = layout.spheres[group_of_entry(layout, order[i])];
                if (!group.scaled) continue;
                const float r = radius_of(layout, input, atom_of_entry(order[i]));
                const float scale[3] = {r, r, r};
                std::memcpy(scales + 12 * (group.scaled_first + i - group.first), scale, 12);
            }
        });
    }
    if (layout.stick_count == 0) return;
    uint8_t* translations = payload + layout.stick_translation_offset;
    uint8_t* rotations = payload + layout.stick_rotation_offset;
    uint8_t* scales = payload + layout.stick_scale_offset;
    std::vector<size_t> next(layout.sticks.size());
    for (size_t row = 0; row < next.size(); ++row) next[row] = layout.sticks[row].first;
    for_each_bond(input, layout.atom_count, [&](size_t bond, Stick stick) {
        for (const auto& [from, to, forward] : {std::tuple{stick.from, stick.to, true}, {stick.to, stick.from, false}}) {
            float target[3];
            stick_target(target, input, positions, bond, to, forward);
            const HalfStick half = half_stick(positions + 3 * size_t(from), target, radius_of(layout, input, from),
                                              radius_of(layout, input, to));
            const size_t slot = next[group_of_atom(layout, input, from)]++;
            if (layout.instance_colors)
                std::memcpy(payload + layout.stick_color_offset + 12 * slot,
                            layout.group_colors[color_group_of_atom(layout, input, from)].data(), 12);
            std::memcpy(translations + 12 * slot, half.translation, 12);
            if (compact) {
                const int16_t q[4] = {snorm16(half.rotation[0]), snorm16(half.rotation[1]), snorm16(half.rotation[2]),
                                      snorm16(half.rotation[3])};
                std::memcpy(rotations + 8 * slot, q, 8);
            } else {
                std::memcpy(rotations + 16 * slot, half.rotation, 16);
            }
            std::memcpy(scales + 12 * slot, half.scale, 12);
        }
    });
}

}  // namespace glb
