// The atom builders: the raw one (the native module's atom_glb) and the checked
// one (its points style here, the sphere styles in atom_spheres.cpp).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "atoms/atom_layout.h"
#include "document/builder_support.h"
#include "inputs/checked_inputs.h"
#include "document/documents.h"
#include "chemistry/bonds.h"
#include "chemistry/elements.h"
#include "glb_assembler.h"
#include "inputs/arrays.h"
#include "atoms/morton_order.h"
#include "parallel/parallel.h"
#include "encodings/quantization.h"

#ifdef GLB_ATOM_PHASE_LOG  // bench/atom_phases.cpp builds the core with this to show where the time goes
#include <chrono>
#include <cstdio>
#define LOG_PHASE(name) log_phase(name)
static void log_phase(const char* name) {
    static auto last = std::chrono::steady_clock::now();
    const auto now = std::chrono::steady_clock::now();
    std::fprintf(stderr, "%s %.2f\n", name, std::chrono::duration<double, std::milli>(now - last).count());
    last = now;
}
#else
#define LOG_PHASE(name) ((void)0)
#endif

namespace glb {

void check_input(const RawAtomCloud& input) {
    if (input.type_count < input.atom_count)
        throw_count_error(Field::types, Problem::too_few, input.type_count, input.atom_count);
    if (input.atom_count == 0) return;  // the documented empty file, whatever the bounds
    require_finite(input.bounds.min, 3, Field::box_minimum);
    require_finite(input.bounds.max, 3, Field::box_maximum);
    const uint64_t array_bytes = saturated_byte_length(input.atom_count, 3 * sizeof(float));
    check_payload_size({array_bytes, array_bytes});
}

GlbPlan plan_glb(const RawAtomCloud& input) {
    check_input(input);
    if (input.atom_count == 0) {
        GlbPlan plan;
        plan.document = "{}";
        plan.file_size = glb_size(2, 0);
        return plan;
    }
    static_assert(kMaxGlbSize / 24 < kMaxOrderedAtoms, "atom indices must fit below the palette row");
    const uint64_t array_bytes = uint64_t(input.atom_count) * 3 * sizeof(float);  // checked above
    PointShape shape;
    shape.count = input.atom_count;
    shape.bounds = input.bounds;
    shape.position_bytes = array_bytes;
    shape.color_bytes = array_bytes;
    gltf::Document document;
    document.scene_nodes = {add_points(document, shape).node};
    return make_plan(document);
}

namespace {

void write_raw_atoms(uint8_t* payload, const RawAtomCloud& input, uint32_t thread_count) {
    const size_t atom_count = input.atom_count;
    if (atom_count == 0) return;
    if (thread_count == 0) thread_count = atom_thread_count(atom_count);
    LOG_PHASE("start");
    write_points_in_morton_order(payload, payload + 12 * atom_count, input.positions, atom_count,
                                 AtomRows{input.types, nullptr}, kAtomPalette[0], kPaletteRows, morton_box(input.bounds), thread_count);
    LOG_PHASE("order");
}

}  // namespace

void write_glb(uint8_t* file, const GlbPlan& plan, const RawAtomCloud& input, uint32_t thread_count) {
    write_planned(file, plan, [&](uint8_t* payload) { write_raw_atoms(payload, input, thread_count); });
}

GlbBytes build_atom_glb(const float* positions, size_t atom_count, const uint16_t* types, const Bounds3& bounds) {
    const RawAtomCloud input{positions, atom_count, types, SIZE_MAX, bounds};
    const GlbPlan plan = plan_glb(input);
    GlbBytes bytes(size_t(plan.file_size));
    write_glb(bytes.data(), plan, input);
    return bytes;
}

}  // namespace glb

// ---------------------------------------------------------------------------
// The checked atoms.

namespace glb {

namespace {

// Bytes per atom and per half-stick of each style, at least: for the early size check.
uint64_t atom_payload_estimate(const AtomCloud& input, size_t atoms) {
    const uint64_t sticks = input.bonds.count;  // two halves a bond, two indices a bond
    const bool compact = input.encoding == Encoding::compact;
    if (input.style == AtomStyle::points) return saturated_byte_length(atoms, compact ? 12 : 24);
    if (input.instancing) {
        const uint64_t spheres = saturated_byte_length(atoms, input.radii.given || input.atomic_numbers.given ? 24 : 12);
        return check_payload_size({spheres, saturated_byte_length(sticks, compact ? 32 : 40)}, 0);
    }
    // Plain triangles: 42 vertices and 240 indices a sphere, 24 and 72 a half-stick;
    // a vertex takes 24 bytes (12 compact) and an index 4.
    const uint64_t vertex = compact ? kQuantizedPositionStride + kQuantizedNormalStride : 24;
    return check_payload_size({saturated_byte_length(atoms, 42 * vertex + 240 * 4),
                               saturated_byte_length(sticks, 24 * vertex + 72 * 4)},
                              0);
}

void check_box(const Bounds3& box) {
    for (int axis = 0; axis < 3; ++axis) {
        for (const auto& [value, component] : {std::pair<double, size_t>{box.min[axis], size_t(axis)},
                                               std::pair<double, size_t>{box.max[axis], size_t(3 + axis)}}) {
            if (!std::isfinite(value)) throw_value_error(Field::box, Problem::not_finite, kNoIndex, component, value);
            if (std::isinf(to_float32(value)))
                throw_value_error(Field::box, Problem::beyond_float32, kNoIndex, component, value);
        }
        if (box.min[axis] > box.max[axis])
            throw_value_error(Field::box, Problem::inverted, kNoIndex, size_t(axis), box.min[axis]);
    }
}

const double kOrigin[3] = {0, 0, 0};

// The cell's corners and edges (which refuses a cell that is not finite or spans
// no volume), its corners within the float32 range.
void cell_geometry(float corners[8][3], uint32_t edges[12][2], const double* cell) {
    unit_cell_edges(corners, edges, cell, kOrigin);
    for (size_t corner = 0; corner < 8; ++corner)
        for (size_t axis = 0; axis < 3; ++axis)
            if (std::isinf(corners[corner][axis]))
                throw_value_error(Field::cell, Problem::beyond_float32, kNoIndex, axis, corners[corner][axis]);
}

// The cell drawn as lines in a neutral grey.
void plan_cell(AtomLayout& layout, const AtomCloud& input) {
    cell_geometry(layout.cell_corners, layout.cell_edges, input.cell);
    LineSet& lines = layout.cell_lines;
    lines.positions = ArrayView{layout.cell_corners, 24, ElementType::float32, true};
    lines.segments = ArrayView{layout.cell_edges, 24, ElementType::uint32, true};
    lines.has_color = true;
    for (int channel = 0; channel < 3; ++channel) lines.color[channel] = 0.6;
    lines.encoding = input.encoding;
}

// Cell shifts are whole numbers of cells.
void check_bond_shifts(const AtomCloud& input) {
    for (size_t i = 0; i < input.bond_shifts.count; ++i) {
        const double shift = element_as_double(input.bond_shifts, i);
        if (!std::isfinite(shift) || shift != std::floor(shift) || std::fabs(shift) > 1e6)
            throw_value_error(Field::bond_shifts, Problem::not_integer, i / 3, i % 3, shift);
    }
}

void write_atom_points(uint8_t* payload, const AtomLayout& layout, const AtomCloud& input, const float* positions,
                       uint32_t thread_count) {
    const size_t atoms = layout.atom_count;
    const size_t group_count = layout.group_colors.size();
    uint8_t* colors = payload + layout.color_offset;
    const bool compact = input.encoding == Encoding::compact;
    if (!compact && !layout.groups) {
        // Up to 256 groups ride the points' buckets as their palette rows.
        std::vector<uint32_t> palette(3 * group_count);
        for (uint32_t group = 0; group < group_count; ++group) group_color_bits(&palette[3 * group], layout, group);
        const AtomRows rows = layout.rows ? AtomRows{nullptr, layout.rows.get()} : rows_of(layout, input);
        write_points_in_morton_order(payload + layout.position_offset, colors, positions, atoms, rows,
                                     palette.data(), uint32_t(group_count),
                                     morton_box(layout.morton_bounds), thread_count);
        return;
    }
    ScratchArray<uint64_t> entries = allocate_scratch<uint64_t>(atoms);
    ScratchArray<uint64_t> scratch = allocate_scratch<uint64_t>(atoms);
    const uint64_t* sorted = sort_along_morton_curve(entries.get(), scratch.get(), positions, atoms,
                                                     rows_of(layout, input), morton_box(layout.morton_bounds),
                                                     thread_count);
    if (!compact) {
        gather_positions(payload + layout.position_offset, sorted, atoms, positions, thread_count);
        parallel_ranges(atoms, thread_count, [&](uint32_t, size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i)
                std::memcpy(colors + 12 * i, layout.group_colors[color_group_of_entry(layout, sorted[i])].data(), 12);
        });
        return;
    }
    // Compact: 8-bit colours, round(c * 255).
    std::vector<std::array<uint8_t, 4>> palette(group_count);
    for (size_t group = 0; group < group_count; ++group)
        for (int channel = 0; channel < 4; ++channel)
            palette[group][channel] = channel < 3 ? uint8_t(layout.group_colors[group][channel] * 255.0f + 0.5f) : 0;
    const Quantization& quantization = layout.quantization;
    uint8_t* out = payload + layout.position_offset;
    parallel_ranges(atoms, thread_count, [&](uint32_t, size_t begin, size_t end) {
        write_quantized_gather(out, positions, atoms, sorted, kIndexMask, begin, end, quantization);
        for (size_t i = begin; i < end; ++i) std::memcpy(colors + 4 * i, palette[color_group_of_entry(layout, sorted[i])].data(), 4);
    });
}

}  // namespace

void check_part(const AtomCloud& input) {
    const size_t atoms = check_rows_of_three(input.positions, Field::positions);
    if (atoms > kMaxOrderedAtoms) throw_count_error(Field::positions, Problem::too_large, atoms, kMaxOrderedAtoms);
    if (input.types.given && input.atomic_numbers.given)
        throw_count_error(Field::types, Problem::both_given, input.types.count, 0);
    if (input.types.given && input.types.count != atoms)
        throw_count_error(Field::types, Problem::count_mismatch, input.types.count, atoms);
    if (input.atomic_numbers.given && input.atomic_numbers.count != atoms)
        throw_count_error(Field::atomic_numbers, Problem::count_mismatch, input.atomic_numbers.count, atoms);
    if (input.has_box) check_box(input.box);
    check_atom_colors(input, atoms);
    const bool spheres = input.style != AtomStyle::points;
    if (input.has_radius) {
        if (!spheres) throw_value_error(Field::radius, Problem::not_drawn, kNoIndex, kNoIndex, input.radius);
        if (input.radii.given) throw_count_error(Field::radius, Problem::both_given, 1, 0);
        require_radius(input.radius, Field::radius, kNoIndex);
    }
    if (input.radii.given) {
        if (!spheres) throw_count_error(Field::radii, Problem::not_drawn, input.radii.count, 0);
        if (input.radii.count != atoms) throw_count_error(Field::radii, Problem::count_mismatch, input.radii.count, atoms);
    }
    if (input.bonds.count % 2 != 0) throw_count_error(Field::bonds, Problem::not_whole_rows, input.bonds.count, 2);
    if (input.bonds.count != 0 && input.style != AtomStyle::ball_and_stick)
        throw_count_error(Field::bonds, Problem::not_drawn, input.bonds.count / 2, 0);
    if (input.bond_search == BondSearch::on) {
        if (input.style != AtomStyle::ball_and_stick) throw_count_error(Field::bonds, Problem::not_drawn, 0, 0);
        if (input.bonds.given) throw_count_error(Field::bonds, Problem::both_given, input.bonds.count / 2, 0);
        if (!input.atomic_numbers.given) {
            InputError error(Field::bonds, Problem::needs_related, "bonds are found from the atoms' elements");
            error.related = Field::atomic_numbers;
            throw error;
        }
    }
    if (input.bond_shifts.given) {
        if (!input.has_cell) {
            InputError error(Field::bond_shifts, Problem::needs_related, "bond shifts need the cell they count in");
            error.related = Field::cell;
            throw error;
        }
        if (input.bond_shifts.count != 3 * (input.bonds.count / 2))
            throw_count_error(Field::bond_shifts, Problem::count_mismatch, input.bond_shifts.count / 3, input.bonds.count / 2);
    }
    if (input.has_cell) {
        float corners[8][3];
        uint32_t edges[12][2];
        cell_geometry(corners, edges, input.cell);
    }
}

uint64_t payload_estimate(const AtomCloud& input) { return atom_payload_estimate(input, input.positions.count / 3); }

// The input with the bonds found among its atoms: pairs, and cell shifts with a cell.
const AtomCloud& with_found_bonds(AtomLayout& layout, const AtomCloud& input) {
    PeriodicCell cell;
    if (input.has_cell) {
        std::copy(input.cell, input.cell + 9, cell.cell);
        std::copy(input.periodic, input.periodic + 3, cell.periodic);
    }
    layout.found_bonds = glb::find_bonds(input.positions, input.atomic_numbers, input.has_cell ? &cell : nullptr, 0.4);
    AtomCloud& found = layout.with_found_bonds;
    found = input;
    found.bond_search = BondSearch::off;
    found.bonds = ArrayView{layout.found_bonds.pairs.data(), layout.found_bonds.pairs.size(), ElementType::uint32, true};
    if (input.has_cell)
        found.bond_shifts = ArrayView{layout.found_bonds.shifts.data(), layout.found_bonds.shifts.size(), ElementType::int32, true};
    return found;
}

PlannedPart plan_part(gltf::Document& document, const AtomCloud& given) {
    auto owned = std::make_unique<AtomLayout>();
    AtomLayout& layout = *owned;
    const bool search = given.bond_search == BondSearch::on ||
                        (given.bond_search == BondSearch::automatic && given.style == AtomStyle::ball_and_stick &&
                         given.atomic_numbers.given && !given.bonds.given);
    const AtomCloud& input = search ? with_found_bonds(layout, given) : given;
    layout.input = &input;
    const size_t atoms = input.positions.count / 3;
    layout.atom_count = atoms;
    const Extremes extremes = row_extremes(input.positions, Field::positions);
    layout.extremes = extremes;
    layout.morton_bounds = input.has_box ? input.box : bounds_of(extremes);

    plan_atom_colors(layout, input);

    if (input.bond_shifts.given) check_bond_shifts(input);
    uint32_t root;
    if (input.style != AtomStyle::points) {
        root = plan_spheres(document, layout, input);
    } else if (input.encoding == Encoding::float32) {
        PointShape shape;
        shape.count = atoms;
        shape.bounds = bounds_of(extremes);
        shape.position_bytes = 12 * uint64_t(atoms);
        shape.color_bytes = 12 * uint64_t(atoms);
        const PlacedPoints placed = add_points(document, shape);
        root = placed.node;
        layout.position_offset = placed.position_offset;
        layout.color_offset = placed.color_offset;
    } else {
        layout.quantization = quantization_of(extremes, false);
        const PlacedPoints placed = add_compact_points(document, "Atoms", "AtomCloud", atoms, extremes,
                                                       layout.quantization, gltf::AccessorType::vec3);
        root = placed.node;
        layout.position_offset = placed.position_offset;
        layout.color_offset = placed.color_offset;
    }
    if (input.has_cell) {
        // The atoms and their cell side by side under one node "Atoms".
        plan_cell(layout, input);
        PlannedPart cell = plan_part(document, layout.cell_lines);
        layout.cell_layout = std::move(cell.layout);
        document.nodes[cell.root].name = "Cell";
        gltf::Node both;
        both.name = "Atoms";
        both.children = {root, cell.root};
        root = document.add(both);
    }
    return PlannedPart{root, std::move(owned)};
}

void AtomLayout::write(uint8_t* payload, uint32_t thread_count) const {
    const size_t atoms = atom_count;
    if (thread_count == 0) thread_count = atom_thread_count(atoms);
    // The Morton keys and the gathers read float32 positions: float64 ones are converted once.
    ScratchArray<float> converted;
    const float* positions = static_cast<const float*>(input->positions.data);
    if (input->positions.type != ElementType::float32) {
        converted = allocate_scratch<float>(3 * atoms);
        write_float32(converted.get(), input->positions);
        positions = converted.get();
    }
    if (cell_layout) cell_layout->write(payload, 1);
    if (input->style != AtomStyle::points) return write_spheres(payload, *this, *input, positions, thread_count);
    write_atom_points(payload, *this, *input, positions, thread_count);
}

}  // namespace glb
