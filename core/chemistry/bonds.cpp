#include "chemistry/bonds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <type_traits>

#include "chemistry/elements.h"
#include "glb_assembler.h"
#include "parallel/parallel.h"

namespace glb {

namespace {

constexpr int64_t kMaxCellOffset = int64_t(1) << 29;  // keeps every shift within int32
constexpr size_t kMaxStencil = size_t(1) << 20;       // cell images searched around a grid cell

using Vector = std::array<double, 3>;

Vector cross(const Vector& a, const Vector& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double dot(const Vector& a, const Vector& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double norm(const Vector& a) { return std::sqrt(dot(a, a)); }
Vector scaled(const Vector& a, double s) { return {a[0] * s, a[1] * s, a[2] * s}; }

// The lattice of a search: three rows, their inverse (fractional = cartesian . inverse),
// and the distance between each pair of opposite faces.
struct Basis {
    Vector rows[3];
    Vector inverse_columns[3];  // column k of the inverse: fractional coordinate k = dot(position, column k)
    double face_distance[3];
    bool periodic[3];
};

void require_finite_cell(const double* numbers, size_t count, Field field) {
    for (size_t i = 0; i < count; ++i)
        if (!std::isfinite(numbers[i]))
            throw_value_error(field, Problem::not_finite, count == 9 ? i / 3 : kNoIndex, count == 9 ? i % 3 : i, numbers[i]);
}

std::string number_text(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

[[noreturn]] void throw_singular(size_t axis, const std::string& why) {
    InputError error(Field::cell, Problem::singular, "cell " + why);
    error.component = axis;
    throw error;
}

// Inverse columns and face distances of rows; a volume of 0, or one that is
// vanishingly small beside the rows' lengths, is singular.
void invert(Basis& basis) {
    const Vector& a = basis.rows[0];
    const Vector& b = basis.rows[1];
    const Vector& c = basis.rows[2];
    const Vector normals[3] = {cross(b, c), cross(c, a), cross(a, b)};
    const double volume = dot(a, normals[0]);
    if (!(std::fabs(volume) > 1e-10 * norm(a) * norm(b) * norm(c)))
        throw_singular(kNoIndex, "is singular: its lattice vectors span no volume");
    for (int k = 0; k < 3; ++k) {
        basis.inverse_columns[k] = scaled(normals[k], 1.0 / volume);
        basis.face_distance[k] = std::fabs(volume) / norm(normals[k]);
    }
}

// The search's lattice: the cell when an axis repeats, its zero vectors along
// axes that do not repeat replaced by unit vectors normal to the others (they
// only lay out the grid); the unit cube when nothing repeats.
Basis basis_of(const PeriodicCell* cell) {
    Basis basis{};
    const bool any_periodic = cell && (cell->periodic[0] || cell->periodic[1] || cell->periodic[2]);
    if (!any_periodic) {
        for (int k = 0; k < 3; ++k) basis.rows[k][size_t(k)] = 1.0;
        invert(basis);
        return basis;
    }
    int missing[3] = {0, 0, 0}, missing_count = 0, present[3] = {0, 0, 0}, present_count = 0;
    for (int k = 0; k < 3; ++k) {
        basis.periodic[k] = cell->periodic[k];
        basis.rows[k] = {cell->cell[3 * k], cell->cell[3 * k + 1], cell->cell[3 * k + 2]};
        if (norm(basis.rows[k]) > 0) {
            present[present_count++] = k;
        } else if (basis.periodic[k]) {
            throw_singular(size_t(k), "is singular: lattice vector " + std::to_string(k) + " of a periodic axis is 0");
        } else {
            missing[missing_count++] = k;
        }
    }
    if (missing_count == 1) {
        const Vector normal = cross(basis.rows[present[0]], basis.rows[present[1]]);
        if (norm(normal) > 0) basis.rows[missing[0]] = scaled(normal, 1.0 / norm(normal));
    } else if (missing_count == 2) {
        const Vector& u = basis.rows[present[0]];
        const int least = std::fabs(u[0]) <= std::fabs(u[1]) && std::fabs(u[0]) <= std::fabs(u[2]) ? 0
                          : std::fabs(u[1]) <= std::fabs(u[2])                                      ? 1
                                                                                                    : 2;
        Vector axis{};
        axis[size_t(least)] = 1.0;
        const Vector first = cross(u, axis);
        const Vector second = cross(u, first);
        basis.rows[missing[0]] = scaled(first, 1.0 / norm(first));
        basis.rows[missing[1]] = scaled(second, 1.0 / norm(second));
    }
    invert(basis);
    return basis;
}

// Positions as doubles, refused at the first number that is not finite.
std::vector<double> positions_of(const ArrayView& positions) {
    std::vector<double> out(positions.count);
    visit_element_type(positions.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        const T* in = static_cast<const T*>(positions.data);
        for (size_t i = 0; i < positions.count; ++i) {
            if constexpr (std::is_floating_point_v<T>) {
                if (!std::isfinite(in[i])) throw_value_error(Field::positions, Problem::not_finite, i / 3, i % 3, double(in[i]));
            }
            out[i] = double(in[i]);
        }
    });
    return out;
}

// The grid that the atoms are sorted into: cells_along[k] cells along each
// lattice axis, each at least one cutoff thick between its faces, and how many
// grid cells (and periodic images) either side of an atom's cell the search visits.
struct Grid {
    uint32_t cells_along[3];
    int32_t reach[3];
    double origin[3];  // the fractional coordinate where the grid starts
    double width[3];   // the fractional width of a grid cell
};

Grid grid_of(const Basis& basis, const double* low, const double* high, double cutoff, size_t atom_count) {
    Grid grid{};
    double thickness[3];  // the grid's extent between its faces, along each axis
    double cells[3];
    for (int k = 0; k < 3; ++k) {
        const double extent = basis.periodic[k] ? 1.0 : high[k] - low[k];
        thickness[k] = extent * basis.face_distance[k];
        cells[k] = std::max(1.0, std::floor(thickness[k] / cutoff));
    }
    // Sparse atoms (a few far apart) get coarser cells: at most about two per atom.
    const double most = std::min(2.0 * double(atom_count) + 8.0, double(UINT32_MAX - 1));
    while (cells[0] * cells[1] * cells[2] > most) {
        const double coarser = std::cbrt(cells[0] * cells[1] * cells[2] / most) * 1.01;
        for (double& count : cells) count = std::max(1.0, std::floor(count / coarser));
    }
    size_t stencil = 1;
    for (int k = 0; k < 3; ++k) {
        grid.cells_along[k] = uint32_t(cells[k]);
        grid.origin[k] = basis.periodic[k] ? 0.0 : low[k];
        grid.width[k] = (basis.periodic[k] ? 1.0 : high[k] - low[k]) / cells[k];
        if (basis.periodic[k]) {
            const double reach = std::ceil(cutoff * cells[k] / thickness[k]);
            if (reach > double(kMaxStencil))
                throw_singular(size_t(k), "is too thin along axis " + std::to_string(k) + " for bonds: its faces lie " +
                                              number_text(thickness[k]) + " apart");
            grid.reach[k] = int32_t(reach);
        } else {
            grid.reach[k] = cells[k] > 1 ? 1 : 0;
        }
        stencil *= size_t(2 * grid.reach[k] + 1);
        if (stencil > kMaxStencil)
            throw_singular(size_t(k), "is too thin for bonds: the search would visit " + std::to_string(stencil) +
                                          " images of each atom");
    }
    return grid;
}

bool lexicographically_positive(const int32_t shift[3]) {
    for (int k = 0; k < 3; ++k)
        if (shift[k] != 0) return shift[k] > 0;
    return false;
}

[[noreturn]] void throw_too_many_bonds(uint64_t found, uint64_t limit) {
    InputError error(Field::bonds, Problem::too_large,
                     "positions lie so densely that the atoms would have more than " + std::to_string(limit) +
                         " bonds, far more than atoms have: are they in ångström?");
    error.count = found;
    error.limit = limit;
    throw error;
}

}  // namespace

BondList find_bonds(const ArrayView& positions, const ArrayView& atomic_numbers, const PeriodicCell* cell,
                    double tolerance, uint32_t thread_count) {
    if (!std::isfinite(tolerance)) throw_value_error(Field::tolerance, Problem::not_finite, kNoIndex, kNoIndex, tolerance);
    if (tolerance < 0) throw_value_error(Field::tolerance, Problem::negative, kNoIndex, kNoIndex, tolerance);
    if (positions.count % 3 != 0) throw_count_error(Field::positions, Problem::not_whole_rows, positions.count, 3);
    const size_t n = positions.count / 3;
    if (n >= UINT32_MAX) throw_count_error(Field::positions, Problem::too_large, n, UINT32_MAX - 1);
    if (atomic_numbers.count != n) throw_count_error(Field::atomic_numbers, Problem::count_mismatch, atomic_numbers.count, n);
    if (cell) require_finite_cell(cell->cell, 9, Field::cell);
    const std::vector<double> position = positions_of(positions);
    std::vector<double> radius(n);
    double largest_radius = 0;
    read_checked_indices(atomic_numbers, 1, kElementCount, Field::atomic_numbers, [&](size_t i, uint32_t number) {
        radius[i] = double(covalent_radius(number));
        largest_radius = std::max(largest_radius, radius[i]);
    });
    const Basis basis = basis_of(cell);
    BondList result;
    if (n == 0) return result;

    // Fractional coordinates, wrapped into [0, 1) along periodic axes (offset: the whole cells taken off).
    std::vector<double> fraction(3 * n);
    std::vector<int32_t> offset(3 * n, 0);
    double low[3] = {INFINITY, INFINITY, INFINITY}, high[3] = {-INFINITY, -INFINITY, -INFINITY};
    for (size_t i = 0; i < n; ++i) {
        const Vector p{position[3 * i], position[3 * i + 1], position[3 * i + 2]};
        for (int k = 0; k < 3; ++k) {
            double f = dot(p, basis.inverse_columns[k]);
            if (basis.periodic[k]) {
                const double whole = std::floor(f);
                if (!(std::fabs(whole) <= double(kMaxCellOffset)))
                    throw_value_error(Field::positions, Problem::too_far, i, size_t(k), position[3 * i + size_t(k)]);
                offset[3 * i + size_t(k)] = int32_t(whole);
                f -= whole;
            }
            fraction[3 * i + size_t(k)] = f;
            low[k] = std::min(low[k], f);
            high[k] = std::max(high[k], f);
        }
    }
    const double cutoff = 2 * largest_radius + tolerance;
    const Grid grid = grid_of(basis, low, high, cutoff, n);

    // The atoms sorted into grid cells by a counting sort (ascending atom numbers
    // within each cell), with what the search reads of them side by side: the
    // wrapped position (the position less its offset in whole cells) and the radius.
    const size_t cell_count = size_t(grid.cells_along[0]) * grid.cells_along[1] * grid.cells_along[2];
    std::vector<uint32_t> cell_of(n);
    std::vector<uint32_t> cell_start(cell_count + 1, 0);
    for (size_t i = 0; i < n; ++i) {
        size_t index = 0;
        for (int k = 0; k < 3; ++k) {
            const uint32_t last = grid.cells_along[k] - 1;
            const double at = last == 0 ? 0 : std::floor((fraction[3 * i + size_t(k)] - grid.origin[k]) / grid.width[k]);
            const uint32_t along = at <= 0 ? 0 : at >= double(last) ? last : uint32_t(at);
            index = index * grid.cells_along[k] + along;
        }
        cell_of[i] = uint32_t(index);
        ++cell_start[index + 1];
    }
    for (size_t c = 0; c < cell_count; ++c) cell_start[c + 1] += cell_start[c];
    struct SortedAtom {
        double wrapped[3];
        double radius;
        uint32_t atom;
        uint32_t cell;
    };
    std::vector<SortedAtom> sorted(n);
    {
        std::vector<uint32_t> next(cell_start.begin(), cell_start.end() - 1);
        for (size_t i = 0; i < n; ++i) {
            SortedAtom& entry = sorted[next[cell_of[i]]++];
            for (int axis = 0; axis < 3; ++axis) {
                double at = position[3 * i + size_t(axis)];
                for (int k = 0; k < 3; ++k) at -= offset[3 * i + size_t(k)] * basis.rows[k][size_t(axis)];
                entry.wrapped[axis] = at;
            }
            entry.radius = radius[i];
            entry.atom = uint32_t(i);
            entry.cell = cell_of[i];
        }
    }

    // The grid cells around a cell that the search visits: where their atoms lie in
    // sorted, and the lattice translation of the periodic image visited.
    struct Neighbor {
        uint32_t first, last;
        int32_t image[3];
        double translation[3];
    };
    // Along each axis, for each grid cell and each step of the reach: the cell
    // reached (wrapped around a periodic axis, -1 past the end of another) and
    // the periodic image it lies in.
    struct AxisStep {
        int32_t along;
        int32_t image;
    };
    std::vector<AxisStep> axis_steps[3];
    for (int k = 0; k < 3; ++k) {
        const int64_t count = grid.cells_along[k];
        for (int64_t home = 0; home < count; ++home) {
            for (int64_t step = -grid.reach[k]; step <= grid.reach[k]; ++step) {
                const int64_t along = home + step;
                const int64_t wrapped = ((along % count) + count) % count;
                if (basis.periodic[k]) {
                    axis_steps[k].push_back({int32_t(wrapped), int32_t((along - wrapped) / count)});
                } else {
                    axis_steps[k].push_back({along >= 0 && along < count ? int32_t(along) : -1, 0});
                }
            }
        }
    }
    auto neighbors_of = [&](uint32_t home_index, std::vector<Neighbor>& out) {
        out.clear();
        size_t home[3];
        size_t rest = home_index;
        for (int k = 2; k >= 0; --k) {
            home[k] = rest % grid.cells_along[k];
            rest /= grid.cells_along[k];
        }
        const size_t widths[3] = {size_t(2 * grid.reach[0] + 1), size_t(2 * grid.reach[1] + 1), size_t(2 * grid.reach[2] + 1)};
        const AxisStep* x_steps = axis_steps[0].data() + home[0] * widths[0];
        const AxisStep* y_steps = axis_steps[1].data() + home[1] * widths[1];
        const AxisStep* z_steps = axis_steps[2].data() + home[2] * widths[2];
        for (const AxisStep* x = x_steps; x != x_steps + widths[0]; ++x) {
            if (x->along < 0) continue;
            for (const AxisStep* y = y_steps; y != y_steps + widths[1]; ++y) {
                if (y->along < 0) continue;
                const size_t row = (size_t(x->along) * grid.cells_along[1] + size_t(y->along)) * grid.cells_along[2];
                for (const AxisStep* z = z_steps; z != z_steps + widths[2]; ++z) {
                    if (z->along < 0) continue;
                    const size_t index = row + size_t(z->along);
                    if (cell_start[index] == cell_start[index + 1]) continue;
                    Neighbor neighbor{cell_start[index], cell_start[index + 1], {x->image, y->image, z->image}, {0, 0, 0}};
                    for (int k = 0; k < 3; ++k)
                        if (neighbor.image[k] != 0)
                            for (int axis = 0; axis < 3; ++axis)
                                neighbor.translation[axis] += neighbor.image[k] * basis.rows[k][size_t(axis)];
                    out.push_back(neighbor);
                }
            }
        }
    };

    // The search, over ranges of the sorted atoms: each atom's bonds to atoms of
    // higher numbers (and to its own images of positive shift) as one group,
    // sorted by (j, S); the groups are gathered in atom order at the end.
    struct Bond {
        uint32_t atom;
        int32_t shift[3];
        bool operator<(const Bond& other) const {
            if (atom != other.atom) return atom < other.atom;
            return std::lexicographical_compare(shift, shift + 3, other.shift, other.shift + 3);
        }
    };
    const uint64_t most_bonds = std::max<uint64_t>(64 * uint64_t(n), uint64_t(1) << 20);
    const uint32_t threads = uint32_t(std::min<uint64_t>(thread_count == 0 ? atom_thread_count(n) : thread_count, n));
    std::vector<std::vector<Bond>> range_bonds(threads);
    std::vector<uint32_t> group_range(n), group_count(n);
    std::vector<size_t> group_start(n);
    std::vector<std::exception_ptr> failures(threads);
    auto search = [&](uint32_t range, size_t begin, size_t end) {
        try {
            std::vector<Bond>& bonds = range_bonds[range];
            std::vector<Neighbor> neighbors;
            uint32_t visited_cell = UINT32_MAX;
            for (size_t s = begin; s < end; ++s) {
                const SortedAtom& a = sorted[s];
                if (a.cell != visited_cell) {
                    neighbors_of(a.cell, neighbors);
                    visited_cell = a.cell;
                }
                const size_t start = bonds.size();
                for (const Neighbor& neighbor : neighbors) {
                    const double x = a.wrapped[0] - neighbor.translation[0];
                    const double y = a.wrapped[1] - neighbor.translation[1];
                    const double z = a.wrapped[2] - neighbor.translation[2];
                    for (uint32_t t = neighbor.first; t < neighbor.last; ++t) {
                        const SortedAtom& b = sorted[t];
                        if (b.atom < a.atom) continue;
                        const double dx = b.wrapped[0] - x, dy = b.wrapped[1] - y, dz = b.wrapped[2] - z;
                        const double reach = a.radius + b.radius + tolerance;
                        if (dx * dx + dy * dy + dz * dz >= reach * reach) continue;
                        Bond bond{b.atom, {}};
                        for (int k = 0; k < 3; ++k)
                            bond.shift[k] = neighbor.image[k] + offset[3 * size_t(a.atom) + size_t(k)] -
                                            offset[3 * size_t(b.atom) + size_t(k)];
                        if (b.atom == a.atom && !lexicographically_positive(bond.shift)) continue;
                        bonds.push_back(bond);
                    }
                }
                std::sort(bonds.begin() + std::ptrdiff_t(start), bonds.end());
                group_range[a.atom] = range;
                group_start[a.atom] = start;
                group_count[a.atom] = uint32_t(bonds.size() - start);
                if (bonds.size() > most_bonds) throw_too_many_bonds(bonds.size(), most_bonds);
            }
        } catch (...) {
            failures[range] = std::current_exception();
        }
    };
    if (threads == 1) {
        search(0, 0, n);
    } else {
        parallel_ranges(n, threads, search);
    }
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);

    size_t total = 0;
    for (const std::vector<Bond>& bonds : range_bonds) total += bonds.size();
    if (total > most_bonds) throw_too_many_bonds(total, most_bonds);
    result.pairs.resize(2 * total);
    result.shifts.resize(3 * total);
    size_t k = 0;
    for (size_t i = 0; i < n; ++i) {
        const Bond* group = range_bonds[group_range[i]].data() + group_start[i];
        for (uint32_t g = 0; g < group_count[i]; ++g, ++k) {
            result.pairs[2 * k] = uint32_t(i);
            result.pairs[2 * k + 1] = group[g].atom;
            std::copy(group[g].shift, group[g].shift + 3, result.shifts.begin() + std::ptrdiff_t(3 * k));
        }
    }
    return result;
}

void unit_cell_edges(float out_positions[8][3], uint32_t out_segments[12][2], const double cell[9],
                     const double origin[3]) {
    require_finite_cell(cell, 9, Field::cell);
    require_finite_cell(origin, 3, Field::origin);
    Basis basis{};
    for (int k = 0; k < 3; ++k) basis.rows[k] = {cell[3 * k], cell[3 * k + 1], cell[3 * k + 2]};
    invert(basis);
    for (uint32_t corner = 0; corner < 8; ++corner) {
        for (int axis = 0; axis < 3; ++axis) {
            double at = origin[axis];
            for (int k = 0; k < 3; ++k)
                if (corner >> k & 1) at += cell[3 * k + axis];
            out_positions[corner][axis] = float(at);
        }
    }
    // Each edge joins two corners that differ in one lattice vector.
    uint32_t edge = 0;
    for (uint32_t k = 0; k < 3; ++k) {
        for (uint32_t corner = 0; corner < 8; ++corner) {
            if (corner >> k & 1) continue;
            out_segments[edge][0] = corner;
            out_segments[edge][1] = corner | (1u << k);
            ++edge;
        }
    }
}

}  // namespace glb
