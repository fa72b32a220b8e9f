// Tests of the core's chemistry that Python cannot reach: bonds that never
// depend on the thread count (run under ThreadSanitizer too), and the corners
// and edges of a unit cell, against sums written out here.
#include <cmath>
#include <cstdio>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "chemistry/bonds.h"
#include "inputs/input_error.h"

namespace {

int* chemistry_checks = nullptr;
int* chemistry_failures = nullptr;

#define CHEMISTRY_CHECK(condition)                                                               \
    do {                                                                                         \
        ++*chemistry_checks;                                                                     \
        if (!(condition)) {                                                                      \
            std::fprintf(stderr, "%s:%d: CHECK failed: %s\n", __FILE__, __LINE__, #condition);   \
            ++*chemistry_failures;                                                               \
        }                                                                                        \
    } while (0)

void test_bonds_independent_of_threads() {
    // 3000 atoms in a triclinic cell, periodic in x and y, some outside the cell.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> fraction(-0.3, 1.3);
    const double cell[9] = {30, 0, 0, 6, 28, 0, -4, 5, 32};
    std::vector<float> positions;
    std::vector<uint16_t> numbers;
    for (int i = 0; i < 3000; ++i) {
        const double f[3] = {fraction(random), fraction(random), fraction(random)};
        for (int axis = 0; axis < 3; ++axis)
            positions.push_back(float(f[0] * cell[axis] + f[1] * cell[3 + axis] + f[2] * cell[6 + axis]));
        numbers.push_back(uint16_t(random() % 2 == 0 ? 6 : 8));
    }
    glb::PeriodicCell lattice;
    std::copy(cell, cell + 9, lattice.cell);
    lattice.periodic[0] = lattice.periodic[1] = true;
    const glb::ArrayView atoms{positions.data(), positions.size(), glb::ElementType::float32};
    const glb::ArrayView elements{numbers.data(), numbers.size(), glb::ElementType::uint16};
    const glb::BondList one = glb::find_bonds(atoms, elements, &lattice, 0.4, 1);
    CHEMISTRY_CHECK(one.count() > 1000 && one.shifts.size() == 3 * one.count());
    for (uint32_t threads : {2u, 3u, 8u}) {
        const glb::BondList many = glb::find_bonds(atoms, elements, &lattice, 0.4, threads);
        CHEMISTRY_CHECK(many.pairs == one.pairs && many.shifts == one.shifts);
    }
    // No shift along the axis that does not repeat; each bond once.
    std::set<std::vector<int64_t>> seen;
    bool z_shifted = false;
    for (size_t k = 0; k < one.count(); ++k) {
        z_shifted = z_shifted || one.shifts[3 * k + 2] != 0;
        seen.insert({one.pairs[2 * k], one.pairs[2 * k + 1], one.shifts[3 * k], one.shifts[3 * k + 1]});
    }
    CHEMISTRY_CHECK(!z_shifted && seen.size() == one.count());

    // A refusal on one thread's range leaves as it would on one thread.
    numbers[2500] = 200;
    for (uint32_t threads : {1u, 2u}) {
        bool refused = false;
        try {
            glb::find_bonds(atoms, elements, &lattice, 0.4, threads);
        } catch (const glb::InputError& error) {
            refused = error.field == glb::Field::atomic_numbers && error.row == 2500;
        }
        CHEMISTRY_CHECK(refused);
    }
}

void test_unit_cell_edges() {
    const double cell[9] = {4, 0, 0, 1, 5, 0, -1, 2, 6};
    const double origin[3] = {0.5, -1, 2};
    float corners[8][3];
    uint32_t edges[12][2];
    glb::unit_cell_edges(corners, edges, cell, origin);
    // Corner c is origin + a (bit 0) + b (bit 1) + c (bit 2).
    const float expected[8][3] = {{0.5f, -1, 2}, {4.5f, -1, 2},  {1.5f, 4, 2},  {5.5f, 4, 2},
                                  {-0.5f, 1, 8}, {3.5f, 1, 8},   {0.5f, 6, 8},  {4.5f, 6, 8}};
    bool same = true;
    for (int c = 0; c < 8; ++c)
        for (int axis = 0; axis < 3; ++axis) same = same && corners[c][axis] == expected[c][axis];
    CHEMISTRY_CHECK(same);
    // Twelve distinct edges, each one lattice vector long, four along each vector.
    std::set<std::pair<uint32_t, uint32_t>> distinct;
    int along[3] = {0, 0, 0};
    for (const auto& edge : edges) {
        distinct.insert({std::min(edge[0], edge[1]), std::max(edge[0], edge[1])});
        for (int k = 0; k < 3; ++k) {
            bool matches = true;
            for (int axis = 0; axis < 3; ++axis)
                matches = matches && std::fabs(corners[edge[1]][axis] - corners[edge[0]][axis] - cell[3 * k + axis]) < 1e-6;
            along[k] += matches;
        }
    }
    CHEMISTRY_CHECK(distinct.size() == 12 && along[0] == 4 && along[1] == 4 && along[2] == 4);

    const double flat[9] = {4, 0, 0, 0, 5, 0, 2, 2.5, 0};
    const double nan_cell[9] = {4, 0, 0, 0, NAN, 0, 0, 0, 6};
    const double far[3] = {0, INFINITY, 0};
    const struct {
        const double* cell;
        const double* origin;
        glb::Field field;
        glb::Problem problem;
    } refused[] = {{flat, origin, glb::Field::cell, glb::Problem::singular},
                   {nan_cell, origin, glb::Field::cell, glb::Problem::not_finite},
                   {cell, far, glb::Field::origin, glb::Problem::not_finite}};
    for (const auto& entry : refused) {
        bool matched = false;
        try {
            glb::unit_cell_edges(corners, edges, entry.cell, entry.origin);
        } catch (const glb::InputError& error) {
            matched = error.field == entry.field && error.problem == entry.problem;
        }
        CHEMISTRY_CHECK(matched);
    }
}

}  // namespace

void test_chemistry(int& checks, int& failures) {
    chemistry_checks = &checks;
    chemistry_failures = &failures;
    test_bonds_independent_of_threads();
    test_unit_cell_edges();
}
