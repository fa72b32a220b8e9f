// The raw atom builder: the native module's atom_glb.
#include <cstring>
#include <stdexcept>

#include "builder_support.h"
#include "documents.h"
#include "glb_assembler.h"
#include "morton_order.h"
#include "parallel.h"

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
    ScratchArray<uint64_t> entries = allocate_scratch<uint64_t>(atom_count);
    ScratchArray<uint64_t> scratch = allocate_scratch<uint64_t>(atom_count);
    sort_along_morton_curve(entries.get(), scratch.get(), input.positions, atom_count, AtomRows{input.types, nullptr},
                            morton_box(input.bounds), thread_count);
    LOG_PHASE("keys and sort");
    // The sorted positions and their colours go straight into the BIN chunk
    // (4-byte aligned); colours from the rows that the entries carry, so that no
    // type id is read in sorted order.
    uint8_t* colors = payload + 12 * atom_count;
    const uint64_t* sorted = entries.get();
    gather_positions(payload, sorted, atom_count, input.positions, thread_count);
    parallel_ranges(atom_count, thread_count, [&](uint32_t, size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) std::memcpy(colors + 12 * i, kAtomPalette[row_of_entry(sorted[i])], 12);
    });
    LOG_PHASE("gather");
}

GlbBytes build_glb(const RawAtomCloud& input) { return build_planned(input); }

GlbBytes build_atom_glb(const float* positions, size_t atom_count, const uint16_t* types, const Bounds3& bounds) {
    return build_glb(RawAtomCloud{positions, atom_count, types, SIZE_MAX, bounds});
}

}  // namespace glb
