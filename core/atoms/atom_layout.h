// What a checked atom plan works out for its write step: the palette row and
// radius of every atom, the colour groups of spheres and sticks, and where each
// block lies in the payload. Private to the atom builders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <array>
#include <string>
#include <vector>

#include "atoms/morton_order.h"
#include "chemistry/bonds.h"
#include "document/gltf_document.h"
#include "encodings/quantization.h"
#include "glb_assembler.h"
#include "scenes/parts.h"

namespace glb {

// The instances (spheres or half-sticks) of one colour group, consecutive in the file.
struct AtomGroup {
    size_t first = 0;          // the group's first instance among all instances of its kind
    size_t count = 0;
    bool scaled = false;       // spheres: radii differ within the group, so each instance has a SCALE
    float radius = 0;          // spheres otherwise: the radius all of them share
    float largest_radius = 0;  // spheres: the largest radius in the group
    size_t scaled_first = 0;   // spheres: the group's first SCALE among all scaled instances
    uint64_t shape_offset = 0; // spheres not scaled: where the sphere of the group's radius lies
};

// Plain triangles: per colour group, the vertices and indices of its spheres or sticks.
struct PlainGroup {
    uint64_t first_vertex = 0, vertex_count = 0, first_index = 0, index_count = 0;
    Extremes extremes{{HUGE_VALF, HUGE_VALF, HUGE_VALF}, {-HUGE_VALF, -HUGE_VALF, -HUGE_VALF}};
};

// Where an atom's radius comes from.
enum class RadiusSource : uint8_t { one, per_atom, elements };

class AtomLayout final : public PartLayout {
public:
    const AtomCloud* input = nullptr;
    size_t atom_count = 0;
    Extremes extremes{};                // of the positions, as the file holds them
    Bounds3 morton_bounds{};
    Quantization quantization;          // compact points; compact plain triangles (one for all, uniform)
    // Colour groups: the distinct colours drawn, and each atom's group. Up to
    // kPaletteRows groups travel through the Morton sort's entries as their rows
    // (`rows`, or 16-bit types read straight), up to 256 through the points'
    // buckets (`rows`); more are looked up per atom (`groups`).
    std::vector<std::array<float, 4>> group_colors;  // RGBA
    bool palette_groups = false;        // the groups are the atom palette's rows (types without a palette)
    bool instance_colors = false;       // more than kMaxColorGroups: one white group, a _COLOR_0 per instance
                                        // (instanced) or a COLOR_0 per vertex (plain triangles)
    ScratchArray<uint8_t> rows;         // group per atom (up to 256 groups); null when read straight from 16-bit types
    ScratchArray<uint32_t> groups;      // group per atom, when more than 8
    ScratchArray<uint8_t> elements;     // atomic number per atom, when given
    RadiusSource radius_source = RadiusSource::one;
    float radius = 0;                   // RadiusSource::one
    float element_radius_factor = 1;    // RadiusSource::elements: times the covalent radius
    std::vector<AtomGroup> spheres;     // per colour group
    size_t scaled_count = 0;
    std::vector<AtomGroup> sticks;
    size_t stick_count = 0;             // half-sticks: two a bond
    std::vector<PlainGroup> plain_spheres;
    std::vector<PlainGroup> plain_sticks;
    uint64_t plain_vertex_count = 0, plain_index_count = 0;
    // Byte offsets in the payload.
    uint64_t position_offset = 0;       // points: positions; spheres: translations; plain: vertex positions
    uint64_t color_offset = 0;          // points; plain triangles of many colours: vertex colours
    uint64_t normal_offset = 0;         // instanced: the sphere's normals; plain: vertex normals
    uint64_t index_offset = 0;          // instanced: the sphere's indices; plain: every index
    uint64_t unit_shape_offset = 0;     // instanced: the unit sphere, for the scaled groups
    uint64_t stick_shape_offset = 0;    // instanced: the stick's positions,
    uint64_t stick_normal_offset = 0;   // its normals
    uint64_t stick_index_offset = 0;    // and its indices
    uint64_t scale_offset = 0;          // instanced: sphere scales
    uint64_t instance_color_offset = 0, stick_color_offset = 0;  // instance_colors: RGB floats per sphere, per half-stick
    uint64_t stick_translation_offset = 0, stick_rotation_offset = 0, stick_scale_offset = 0;  // instanced
    // The cell's edges, a line set of the part: its corners, the pairs that make
    // its edges, and the lines' own layout.
    float cell_corners[8][3] = {};
    uint32_t cell_edges[12][2] = {};
    LineSet cell_lines;
    std::unique_ptr<PartLayout> cell_layout;
    // Bonds found by the plan, and the input with them (what `input` points to then).
    BondList found_bonds;
    AtomCloud with_found_bonds;

    void write(uint8_t* payload, uint32_t thread_count) const override;
};

// Where a half-stick of bond `bond` points: at atom `to`, or across a periodic
// boundary at its image (forward: the half of the bond's first atom, which
// points at p_to + S . cell; the other at p_to - S . cell). positions: float32,
// or null to read the input's as the file will hold them.
void stick_target(float* out, const AtomCloud& input, const float* positions, size_t bond, uint32_t to, bool forward);

// Whether the Morton sort's entries carry the colour groups as their rows.
inline bool groups_in_entries(const AtomLayout& layout) { return layout.group_colors.size() <= kPaletteRows; }

// The rows the Morton sort's entries carry: the colour groups, when up to 8 (else row 0 for all).
inline AtomRows rows_of(const AtomLayout& layout, const AtomCloud& input) {
    if (!groups_in_entries(layout)) return AtomRows{};
    if (layout.rows) return AtomRows{nullptr, layout.rows.get()};
    if (layout.palette_groups && input.types.given) return AtomRows{static_cast<const uint16_t*>(input.types.data), nullptr};
    return AtomRows{};
}

// Instanced atoms of more distinct colours than this are drawn as one group
// (one mesh, a white material) that gives each instance its colour in a
// `_COLOR_0` attribute of EXT_mesh_gpu_instancing, which three.js reads into
// instanceColor (plain triangles: one primitive with COLOR_0): every element,
// colour map and palette up to 256 colours keeps a mesh per colour, which
// every viewer draws.
constexpr size_t kMaxColorGroups = 256;

// The colour group of an atom (its colour: layout.group_colors), and of a sorted entry.
inline uint32_t color_group_of_atom(const AtomLayout& layout, const AtomCloud& input, size_t atom) {
    if (layout.groups) return layout.groups[atom];
    if (layout.rows) return layout.rows[atom];
    if (layout.palette_groups && input.types.given) {
        const uint16_t type = static_cast<const uint16_t*>(input.types.data)[atom];
        return type < kPaletteRows - 1 ? type : kPaletteRows - 1;
    }
    return 0;
}
inline uint32_t color_group_of_entry(const AtomLayout& layout, uint64_t entry) {
    if (groups_in_entries(layout)) return row_of_entry(entry);
    return layout.groups ? layout.groups[atom_of_entry(entry)] : layout.rows[atom_of_entry(entry)];
}
// The group whose instances (or plain triangles) an atom is drawn among.
inline uint32_t group_of_atom(const AtomLayout& layout, const AtomCloud& input, size_t atom) {
    return layout.instance_colors ? 0 : color_group_of_atom(layout, input, atom);
}
inline uint32_t group_of_entry(const AtomLayout& layout, uint64_t entry) {
    return layout.instance_colors ? 0 : color_group_of_entry(layout, entry);
}

// Works out the colour groups (atom_colors.cpp): reads types, elements and the
// colour options, checking them, into layout.group_colors, rows or groups, and elements.
void plan_atom_colors(AtomLayout& layout, const AtomCloud& input);
// Their counts and combinations only, as a part is added (check_part).
void check_atom_colors(const AtomCloud& input, size_t atoms);

// A group's colour as float bit patterns, and its name ("grey" for the palette's rows, else "#rrggbb").
void group_color_bits(uint32_t out[3], const AtomLayout& layout, uint32_t group);
std::string group_name(const AtomLayout& layout, uint32_t group);

// A radius as the file holds it must be a positive float32: NaN and
// infinities, values beyond the float32 range, and 0, negatives and what
// float32 rounds to 0 (an invisible sphere) throw InputError at row (kNoIndex
// for the one radius of all atoms).
void require_radius(double radius, Field field, size_t row);

// The radius of atom i (spheres), as the file holds it.
float radius_of(const AtomLayout& layout, const AtomCloud& input, size_t i);

// The sphere styles' part of the plan and the write (atom_spheres.cpp): the
// plan adds the root node "Atoms" with its children and returns it.
uint32_t plan_spheres(gltf::Document& document, AtomLayout& layout, const AtomCloud& input);
void write_spheres(uint8_t* payload, const AtomLayout& layout, const AtomCloud& input, const float* positions,
                   uint32_t thread_count);

}  // namespace glb
