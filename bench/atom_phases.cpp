// Where the time of one atom call goes, phase by phase: the core built with
// GLB_ATOM_PHASE_LOG prints each phase's milliseconds; this runs the builder on
// random atoms and prints the fastest time of each phase over several calls.
//
//   build/bench/atom_phases <atoms> <threads> [calls]      (scripts/bench builds it)
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "glb_assembler.h"

int main(int argc, char** argv) {
    const size_t atoms = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 4000000;
    const uint32_t threads = argc > 2 ? uint32_t(std::strtoul(argv[2], nullptr, 10)) : 2;
    const int calls = argc > 3 ? std::atoi(argv[3]) : 9;
    std::vector<float> positions(3 * atoms);
    std::vector<uint16_t> types(atoms);
    std::mt19937 random(1);
    std::uniform_real_distribution<float> unit(0.0f, 100.0f);
    for (float& value : positions) value = unit(random);
    for (uint16_t& type : types) type = uint16_t(random() % 9);
    const glb::Bounds3 bounds{{0, 0, 0}, {100, 100, 100}};
    for (int call = 0; call < calls; ++call) {
        glb::GlbBytesOutput output;
        glb::build_atom_glb_on_threads(output, positions.data(), atoms, types.data(), bounds, threads);
    }
    return 0;
}
