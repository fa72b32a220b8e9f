// Where the time of one atom call goes, phase by phase: the core built with
// GLB_ATOM_PHASE_LOG prints each phase's milliseconds; this runs the builder on
// random atoms and prints the fastest time of each phase over several calls.
//
//   build/bench/atom_phases <atoms> <threads> [calls] [pause ms]   (scripts/bench builds it)
//
// A pause between calls shows the cost of fresh memory: on virtual machines that
// hand freed memory back to their host, a call that follows another at once
// reuses its pages, and one that comes seconds later faults them in anew.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>
#include <chrono>
#include <thread>

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
    const int pause_ms = argc > 4 ? std::atoi(argv[4]) : 0;
    const glb::RawAtomCloud input{positions.data(), atoms, types.data(), atoms, bounds};
    glb::GlbBytes file(size_t(glb::plan_glb(input).file_size));
    for (int call = 0; call < calls; ++call) {
        if (pause_ms) std::this_thread::sleep_for(std::chrono::milliseconds(pause_ms));
        const auto start = std::chrono::steady_clock::now();
        const glb::GlbPlan plan = glb::plan_glb(input);
        glb::write_glb(file.data(), plan, input, threads);
        std::fprintf(stderr, "call %.4f\n", std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return 0;
}
