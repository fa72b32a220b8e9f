// What a checked atom plan works out for its write step: the palette row and
// radius of every atom, the colour groups of spheres and sticks, and where each
// array lies in the payload. Private to the atom builders.
#pragma once

#include <cstddef>
#include <cstdint>

#include "glb_assembler.h"
#include "document/gltf_document.h"
#include "atoms/morton_order.h"

namespace glb {

// The instances (spheres or half-sticks) of one palette row, consecutive in the file.
struct AtomGroup {
    size_t first = 0;        // the group's first instance among all instances of its kind
    size_t count = 0;
    bool scaled = false;     // spheres: radii differ within the group, so each instance has a SCALE
    float radius = 0;        // spheres otherwise: the radius all of them share
    size_t scaled_first = 0; // spheres: the group's first SCALE among all scaled instances
};

// Where an atom's radius comes from.
enum class RadiusSource : uint8_t { one, per_atom, elements };

struct AtomLayout {
    size_t atom_count = 0;
    Bounds3 morton_bounds{};
    Quantization quantization;          // compact points
    ScratchArray<uint8_t> rows;         // palette row per atom; null when read straight from 16-bit types
    ScratchArray<uint8_t> elements;     // atomic number per atom, when given
    RadiusSource radius_source = RadiusSource::one;
    float radius = 0;                   // RadiusSource::one
    float element_radius_factor = 1;    // RadiusSource::elements: times the covalent radius
    AtomGroup spheres[kPaletteRows];
    size_t scaled_count = 0;
    AtomGroup sticks[kPaletteRows];
    size_t stick_count = 0;             // half-sticks: two a bond
    // Byte offsets in the payload.
    uint64_t position_offset = 0;       // points: positions; spheres: translations
    uint64_t color_offset = 0;          // points
    uint64_t scale_offset = 0;          // spheres
    uint64_t geometry_offset = 0;       // the sphere and stick meshes
    uint64_t stick_offset = 0;          // stick translations, then rotations, then scales
};

// The atoms' palette rows for the Morton sort.
inline AtomRows rows_of(const AtomLayout& layout, const AtomCloud& input) {
    if (layout.rows) return AtomRows{nullptr, layout.rows.get()};
    if (input.types.count != 0) return AtomRows{static_cast<const uint16_t*>(input.types.data), nullptr};
    return AtomRows{};
}

// The radius of atom i (spheres), as the file holds it.
float radius_of(const AtomLayout& layout, const AtomCloud& input, size_t i);

// The sphere styles' part of the plan and the write (atom_spheres.cpp).
gltf::Document plan_spheres(AtomLayout& layout, const AtomCloud& input);
void write_spheres(uint8_t* payload, const AtomLayout& layout, const AtomCloud& input, const float* positions,
                   uint32_t thread_count);

}  // namespace glb
