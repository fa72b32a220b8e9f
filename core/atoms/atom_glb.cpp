// The atom builders: the raw one (the native module's atom_glb) and the checked
// one (its points style here, the sphere styles in atom_spheres.cpp).
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "atoms/atom_layout.h"
#include "document/builder_support.h"
#include "inputs/checked_inputs.h"
#include "document/documents.h"
#include "chemistry/elements.h"
#include "glb_assembler.h"
#include "document/json_text.h"
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
    PointDocument shape;
    shape.count = input.atom_count;
    shape.bounds = input.bounds;
    shape.position_bytes = array_bytes;
    shape.color_bytes = array_bytes;
    return make_plan(point_document(shape), 2 * array_bytes);
}

void write_glb(uint8_t* file, const GlbPlan& plan, const RawAtomCloud& input, uint32_t thread_count) {
    uint8_t* payload = start_glb(file, plan);
    const size_t atom_count = input.atom_count;
    if (atom_count == 0) return;
    if (thread_count == 0) thread_count = atom_thread_count(atom_count);
    LOG_PHASE("start");
    write_points_in_morton_order(payload, payload + 12 * atom_count, input.positions, atom_count,
                                 AtomRows{input.types, nullptr}, morton_box(input.bounds), thread_count);
    LOG_PHASE("order");
}

GlbBytes build_glb(const RawAtomCloud& input) { return build_planned(input); }

GlbBytes build_atom_glb(const float* positions, size_t atom_count, const uint16_t* types, const Bounds3& bounds) {
    return build_glb(RawAtomCloud{positions, atom_count, types, SIZE_MAX, bounds});
}

}  // namespace glb

// ---------------------------------------------------------------------------
// The checked atoms.

namespace glb {

AtomCloudPlan::AtomCloudPlan() = default;
AtomCloudPlan::AtomCloudPlan(AtomCloudPlan&&) noexcept = default;
AtomCloudPlan& AtomCloudPlan::operator=(AtomCloudPlan&&) noexcept = default;
AtomCloudPlan::~AtomCloudPlan() = default;

namespace {

// Bytes per atom and per half-stick of each style, for the early size check.
uint64_t atom_payload_estimate(const AtomCloud& input, size_t atoms) {
    const uint64_t sticks = input.bonds.count;  // two halves a bond, two indices a bond
    if (input.style == AtomStyle::points)
        return saturated_byte_length(atoms, input.encoding == Encoding::compact ? 12 : 24);
    if (input.instancing) {
        const uint64_t spheres = saturated_byte_length(atoms, input.radii.count != 0 || input.atomic_numbers.count != 0 ? 24 : 12);
        return check_payload_size({spheres, saturated_byte_length(sticks, 40)}, 0);
    }
    // Plain triangles: 42 vertices (24 bytes each) and 240 indices a sphere, 24 and 72 a half-stick.
    return check_payload_size({saturated_byte_length(atoms, 42 * 24 + 240 * 4), saturated_byte_length(sticks, 24 * 24 + 72 * 4)}, 0);
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

// The 8-bit palette colours of compact atoms: round(c * 255).
uint8_t unorm8_palette(uint32_t row, int channel) {
    float value;
    std::memcpy(&value, &kAtomPalette[row][channel], sizeof value);
    return uint8_t(value * 255.0f + 0.5f);
}

}  // namespace

void check_input(const AtomCloud& input) {
    const size_t atoms = check_rows_of_three(input.positions, Field::positions);
    if (atoms > kMaxOrderedAtoms) throw_count_error(Field::positions, Problem::too_large, atoms, kMaxOrderedAtoms);
    if (input.types.count != 0 && input.atomic_numbers.count != 0)
        throw_count_error(Field::types, Problem::both_given, input.types.count, 0);
    if (input.types.count != 0 && input.types.count != atoms)
        throw_count_error(Field::types, Problem::count_mismatch, input.types.count, atoms);
    if (input.atomic_numbers.count != 0 && input.atomic_numbers.count != atoms)
        throw_count_error(Field::atomic_numbers, Problem::count_mismatch, input.atomic_numbers.count, atoms);
    if (input.has_box) check_box(input.box);
    const bool spheres = input.style != AtomStyle::points;
    if (input.has_radius) {
        if (!spheres) throw_value_error(Field::radius, Problem::not_drawn, kNoIndex, kNoIndex, input.radius);
        if (input.radii.count != 0) throw_count_error(Field::radius, Problem::both_given, 1, 0);
        if (!(input.radius > 0) || std::isinf(to_float32(input.radius)))
            throw_value_error(Field::radius, Problem::not_positive, kNoIndex, kNoIndex, input.radius);
    }
    if (input.radii.count != 0) {
        if (!spheres) throw_count_error(Field::radii, Problem::not_drawn, input.radii.count, 0);
        if (input.radii.count != atoms) throw_count_error(Field::radii, Problem::count_mismatch, input.radii.count, atoms);
    }
    if (input.bonds.count % 2 != 0) throw_count_error(Field::bonds, Problem::not_whole_rows, input.bonds.count, 2);
    if (input.bonds.count != 0 && input.style != AtomStyle::ball_and_stick)
        throw_count_error(Field::bonds, Problem::not_drawn, input.bonds.count / 2, 0);
    check_payload_size({atom_payload_estimate(input, atoms)}, 0);
}

AtomCloudPlan plan_glb(const AtomCloud& input) {
    check_input(input);
    AtomCloudPlan plan;
    plan.layout = std::make_unique<AtomLayout>();
    AtomLayout& layout = *plan.layout;
    const size_t atoms = input.positions.count / 3;
    layout.atom_count = atoms;
    const Extremes extremes = row_extremes(input.positions, Field::positions);
    layout.morton_bounds = input.has_box ? input.box : bounds_of(extremes);

    if (input.types.count != 0 && input.types.type != ElementType::uint16) {
        layout.rows = allocate_scratch<uint8_t>(atoms);
        uint8_t* rows = layout.rows.get();
        read_checked_indices(input.types, 1, 65536, Field::types,
                             [rows](size_t i, uint32_t type) { rows[i] = uint8_t(type < 7 ? type : 7); });
    } else if (input.atomic_numbers.count != 0) {
        layout.rows = allocate_scratch<uint8_t>(atoms);
        layout.elements = allocate_scratch<uint8_t>(atoms);
        uint8_t* rows = layout.rows.get();
        uint8_t* elements = layout.elements.get();
        read_checked_indices(input.atomic_numbers, 1, kElementCount, Field::atomic_numbers, [&](size_t i, uint32_t z) {
            elements[i] = uint8_t(z);
            rows[i] = element_palette_row(z);
        });
    }

    gltf::Document document;
    if (input.style != AtomStyle::points) {
        document = plan_spheres(layout, input);
    } else if (input.encoding == Encoding::float32) {
        PointDocument shape;
        shape.count = atoms;
        shape.bounds = bounds_of(extremes);
        shape.position_bytes = 12 * uint64_t(atoms);
        shape.color_bytes = 12 * uint64_t(atoms);
        layout.color_offset = shape.position_bytes;
        document = point_document(shape);
    } else {
        layout.quantization = quantization_of(extremes, false);
        layout.color_offset = uint64_t(atoms) * kQuantizedPositionStride;
        document = compact_point_document("Atoms", "AtomCloud", atoms, extremes, layout.quantization,
                                          gltf::AccessorType::vec3, layout.color_offset, 4 * uint64_t(atoms));
    }
    static_cast<GlbPlan&>(plan) = make_plan(document, document.buffer_length);
    return plan;
}

void write_glb(uint8_t* file, const AtomCloudPlan& plan, const AtomCloud& input, uint32_t thread_count) {
    const AtomLayout& layout = *plan.layout;
    uint8_t* payload = start_glb(file, plan);
    const size_t atoms = layout.atom_count;
    if (thread_count == 0) thread_count = atom_thread_count(atoms);
    // The Morton keys and the gathers read float32 positions: float64 ones are converted once.
    ScratchArray<float> converted;
    const float* positions = static_cast<const float*>(input.positions.data);
    if (input.positions.type != ElementType::float32) {
        converted = allocate_scratch<float>(3 * atoms);
        write_float32(converted.get(), input.positions);
        positions = converted.get();
    }
    if (input.style != AtomStyle::points) {
        write_spheres(payload, layout, input, positions, thread_count);
        return;
    }
    uint8_t* colors = payload + layout.color_offset;
    if (input.encoding == Encoding::float32) {
        write_points_in_morton_order(payload, colors, positions, atoms, rows_of(layout, input),
                                     morton_box(layout.morton_bounds), thread_count);
        return;
    }
    ScratchArray<uint64_t> entries = allocate_scratch<uint64_t>(atoms);
    ScratchArray<uint64_t> scratch = allocate_scratch<uint64_t>(atoms);
    const uint64_t* sorted = sort_along_morton_curve(entries.get(), scratch.get(), positions, atoms,
                                                     rows_of(layout, input), morton_box(layout.morton_bounds),
                                                     thread_count);
    uint8_t palette[kPaletteRows][4];
    for (uint32_t row = 0; row < kPaletteRows; ++row)
        for (int channel = 0; channel < 4; ++channel) palette[row][channel] = channel < 3 ? unorm8_palette(row, channel) : 0;
    const Quantization& quantization = layout.quantization;
    parallel_ranges(atoms, thread_count, [&](uint32_t, size_t begin, size_t end) {
        write_quantized_gather(payload, positions, atoms, sorted, kIndexMask, begin, end, quantization);
        for (size_t i = begin; i < end; ++i) std::memcpy(colors + 4 * i, palette[row_of_entry(sorted[i])], 4);
    });
}

GlbBytes build_glb(const AtomCloud& input) { return build_planned(input); }

}  // namespace glb
