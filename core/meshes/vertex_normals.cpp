#include "meshes/vertex_normals.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <map>
#include <numeric>
#include <type_traits>
#include <utility>
#include <vector>

#include "inputs/input_error.h"
#include "inputs/simd.h"
#include "parallel/row_ranges.h"

namespace glb {

namespace {

// A coordinate as the file holds it (float32), widened to double.
template <typename T>
inline double file_coordinate(T value) {
    if constexpr (std::is_same_v<T, float>) {
        return value;
    } else {
        return to_float32(double(value));
    }
}

// The cross product of a face's edges: its normal, twice its area long.
template <typename T>
inline void face_cross(double* n, const T* positions, const uint32_t* corner) {
    double p[3][3];
    for (int k = 0; k < 3; ++k)
        for (int axis = 0; axis < 3; ++axis) p[k][axis] = file_coordinate(positions[3 * size_t(corner[k]) + axis]);
    const double u[3] = {p[1][0] - p[0][0], p[1][1] - p[0][1], p[1][2] - p[0][2]};
    const double w[3] = {p[2][0] - p[0][0], p[2][1] - p[0][1], p[2][2] - p[0][2]};
    n[0] = u[1] * w[2] - u[2] * w[1];
    n[1] = u[2] * w[0] - u[0] * w[2];
    n[2] = u[0] * w[1] - u[1] * w[0];
}

// n made unit length, as float32; (0, 0, 1) when it has no direction.
inline void unit_or_up(float* out, const double* n) {
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (length > 0 && std::isfinite(length)) {
        for (int axis = 0; axis < 3; ++axis) out[axis] = float(n[axis] / length);
    } else {
        out[0] = 0;
        out[1] = 0;
        out[2] = 1;
    }
}

// A vector of finite components made unit length, as float32; false when it is zero.
inline bool unit_vector(float* out, double x, double y, double z) {
    double sum = x * x + y * y + z * z;
    if (!(sum >= DBL_MIN && sum <= DBL_MAX)) {
        // Squares that underflow or overflow: scale by the power of two of the
        // largest component first (exact, so ordinary vectors come out alike).
        const double largest = std::max({std::fabs(x), std::fabs(y), std::fabs(z)});
        if (largest == 0) return false;
        int exponent = 0;
        std::frexp(largest, &exponent);
        x = std::ldexp(x, -exponent);
        y = std::ldexp(y, -exponent);
        z = std::ldexp(z, -exponent);
        sum = x * x + y * y + z * z;
    }
    const double length = std::sqrt(sum);
    out[0] = float(x / length);
    out[1] = float(y / length);
    out[2] = float(z / length);
    return true;
}

// Rows of given normals whose squared lengths lie in the double range (every
// finite float32 vector but zero): made unit length in double, as
// unit_vector does. Returns how many other rows it met (and wrote something for).
template <typename T>
inline size_t usual_unit_normals(float* out, const T* in, size_t rows) {
    size_t unusual = 0;
    for (size_t v = 0; v < rows; ++v) {
        const double x = double(in[3 * v]), y = double(in[3 * v + 1]), z = double(in[3 * v + 2]);
        const double sum = x * x + y * y + z * z;
        unusual += !(sum >= DBL_MIN && sum <= DBL_MAX);  // NaN fails both
        const double length = std::sqrt(sum);
        out[3 * v] = float(x / length);
        out[3 * v + 1] = float(y / length);
        out[3 * v + 2] = float(z / length);
    }
    return unusual;
}

#ifdef GLB_AVX2_PATHS
// The same a row at a time in one register, x, y, z and the next row's x: one
// division for three. The last row is left to the loop above.
template <typename T>
GLB_AVX2 size_t avx2_usual_unit_normals(float* out, const T* in, size_t rows) {
    size_t unusual = 0, v = 0;
    for (; v + 1 < rows; ++v) {
        __m256d n;
        if constexpr (std::is_same_v<T, float>) {
            n = _mm256_cvtps_pd(_mm_loadu_ps(in + 3 * v));
        } else {
            n = _mm256_loadu_pd(in + 3 * v);
        }
        const __m256d squares = _mm256_mul_pd(n, n);
        const __m128d low = _mm256_castpd256_pd128(squares);
        const __m128d sum = _mm_add_sd(_mm_add_sd(low, _mm_unpackhi_pd(low, low)), _mm256_extractf128_pd(squares, 1));
        const double value = _mm_cvtsd_f64(sum);
        unusual += !(value >= DBL_MIN && value <= DBL_MAX);
        const __m256d length = _mm256_broadcastsd_pd(_mm_sqrt_sd(sum, sum));
        // Four floats: the fourth is the next row's x, written over by the next row.
        _mm_storeu_ps(out + 3 * v, _mm256_cvtpd_ps(_mm256_div_pd(n, length)));
    }
    return unusual + usual_unit_normals(out + 3 * v, in + 3 * v, rows - v);
}
#endif

template <typename T>
void unit_normals_of(float* out, const T* in, size_t rows) {
    size_t unusual = 0;
#ifdef GLB_AVX2_PATHS
    if constexpr (std::is_same_v<T, float> || std::is_same_v<T, double>) {
        unusual = has_avx2() ? avx2_usual_unit_normals(out, in, rows) : usual_unit_normals(out, in, rows);
    } else
#endif
    {
        unusual = usual_unit_normals(out, in, rows);
    }
    if (unusual == 0) return;
    for (size_t v = 0; v < rows; ++v) {
        const double n[3] = {double(in[3 * v]), double(in[3 * v + 1]), double(in[3 * v + 2])};
        for (size_t axis = 0; axis < 3; ++axis)
            if (!std::isfinite(n[axis])) throw_value_error(Field::normals, Problem::not_finite, v, axis, n[axis]);
        if (!unit_vector(out + 3 * v, n[0], n[1], n[2])) throw_value_error(Field::normals, Problem::zero_length, v, kNoIndex, 0);
    }
}

// The size of each range of a split of rows into thread_count ranges, as
// parallel_ranges makes it: range i begins at row i * this.
size_t range_length(size_t rows, uint32_t thread_count) {
    return rows / thread_count + (rows % thread_count != 0);
}

}  // namespace

void write_unit_normals(float* out, const ArrayView& normals) {
    visit_element_type(normals.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        unit_normals_of(out, static_cast<const T*>(normals.data), normals.count / 3);
    });
}

namespace {

// Runs visit(corner, n, mine) on every face with a corner among the vertices
// [begin, end), in face order: its corners, its cross product and which of its
// corners lie in the range.
template <typename T, typename Visit>
void visit_faces_around(const T* points, const uint32_t* faces, size_t face_count, size_t begin, size_t end,
                        Visit&& visit) {
    const size_t span = end - begin;
    for (size_t f = 0; f < face_count; ++f) {
        const uint32_t* corner = faces + 3 * f;
        const bool mine[3] = {corner[0] - begin < span, corner[1] - begin < span, corner[2] - begin < span};
        if (!(mine[0] || mine[1] || mine[2])) continue;
        double n[3];
        face_cross(n, points, corner);
        visit(corner, n, mine);
    }
}

// The area-weighted sums of the vertices [begin, end): each vertex adds its
// faces in face order.
template <typename T>
void add_area_weighted(double* sums, const T* points, const uint32_t* faces, size_t face_count, size_t begin,
                       size_t end) {
    std::fill(sums + 3 * begin, sums + 3 * end, 0.0);
    visit_faces_around(points, faces, face_count, begin, end, [&](const uint32_t* corner, const double* n, const bool* mine) {
        for (int k = 0; k < 3; ++k)
            if (mine[k])
                for (int axis = 0; axis < 3; ++axis) sums[3 * size_t(corner[k]) + size_t(axis)] += n[axis];
    });
}

}  // namespace

void write_area_weighted_normals(float* out, const ArrayView& positions, const uint32_t* faces, size_t face_count,
                                 uint32_t thread_count) {
    const size_t vertices = positions.count / 3;
    ScratchArray<double> sums = allocate_scratch<double>(3 * vertices + 1);
    visit_element_type(positions.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        const T* points = static_cast<const T*>(positions.data);
        // Each range of vertices reads every face and adds those around its own
        // vertices: no two ranges write the same sum, and every sum is added up
        // in the order of one thread.
        for_row_ranges(vertices, thread_count, [&](size_t begin, size_t end) {
            add_area_weighted(sums.get(), points, faces, face_count, begin, end);
            for (size_t v = begin; v < end; ++v) unit_or_up(out + 3 * v, sums.get() + 3 * v);
        });
    });
}

namespace {

// The corners around each vertex, in corner order: around[first[v] .. first[v + 1]).
struct CornerTable {
    ScratchArray<uint32_t> first;   // vertices + 1
    ScratchArray<uint32_t> around;  // one a corner
};

// The corner table is counted on at most this many ranges: each holds a counter a vertex.
constexpr uint32_t kCornerTableRanges = 8;

CornerTable corners_around(const uint32_t* faces, size_t corners, size_t vertices, uint32_t thread_count) {
    CornerTable table{allocate_scratch<uint32_t>(vertices + 1), allocate_scratch<uint32_t>(corners + 1)};
    // Each range of corners counts those of every vertex, then places them after
    // those of the ranges before it: around each vertex, they stay in corner order.
    const uint32_t ranges = std::min(thread_count, kCornerTableRanges);
    const size_t length = range_length(corners, ranges);
    ScratchArray<uint32_t> counts = allocate_scratch<uint32_t>(size_t(ranges) * vertices + 1);
    for_row_ranges(corners, ranges, [&](size_t begin, size_t end) {
        uint32_t* count = counts.get() + begin / length * vertices;
        std::fill(count, count + vertices, 0u);
        for (size_t c = begin; c < end; ++c) ++count[faces[c]];
    });
    uint32_t next = 0;  // corners number below 2^32: the file holds 2 bytes each at least
    for (size_t v = 0; v < vertices; ++v) {
        table.first[v] = next;
        for (size_t r = 0; r < ranges && r * length < corners; ++r) {
            uint32_t& count = counts[r * vertices + v];
            const uint32_t placed = count;
            count = next;  // from here on, where the range's next corner of v goes
            next += placed;
        }
    }
    table.first[vertices] = next;
    for_row_ranges(corners, ranges, [&](size_t begin, size_t end) {
        uint32_t* cursor = counts.get() + begin / length * vertices;
        for (size_t c = begin; c < end; ++c) table.around[cursor[faces[c]]++] = uint32_t(c);
    });
    return table;
}

// The faces around one vertex, as its split reads them: each corner's face's
// cross product (its area-weighted normal) and unit normal (0, 0, 0 for a
// degenerate face).
struct FacesAround {
    std::vector<double> weighted, unit;  // 3 a corner

    template <typename T>
    void read(const T* points, const uint32_t* faces, const uint32_t* corner, size_t count) {
        weighted.resize(3 * count);
        unit.resize(3 * count);
        for (size_t i = 0; i < count; ++i) {
            double* n = &weighted[3 * i];
            face_cross(n, points, faces + 3 * size_t(corner[i] / 3));
            const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            const double scale = length > 0 ? 1 / length : 0.0;  // for cosines only: one division
            for (int axis = 0; axis < 3; ++axis) unit[3 * i + axis] = n[axis] * scale;
        }
    }
    bool degenerate(size_t i) const { return unit[3 * i] == 0 && unit[3 * i + 1] == 0 && unit[3 * i + 2] == 0; }
    double cosine(size_t i, size_t j) const {
        const double* u = &unit[3 * i];
        const double* w = &unit[3 * j];
        return u[0] * w[0] + u[1] * w[1] + u[2] * w[2];
    }
};

// The copies of one vertex as they are made: their normals (3 floats each)
// follow the range's earlier copies at normals.
struct VertexCopies {
    float* normals;
    size_t count;  // copies of this vertex so far

    // The copy with normal n: an earlier one with an equal normal, or a new one.
    uint32_t copy_with(const float* n) {
        for (size_t k = 0; k < count; ++k) {
            const float* m = normals + 3 * k;
            if (m[0] == n[0] && m[1] == n[1] && m[2] == n[2]) return uint32_t(k);
        }
        std::copy(n, n + 3, normals + 3 * count);
        return uint32_t(count++);
    }
};

// A vertex of at most kPairwiseCorners corners: which faces lie within the
// crease angle of which, as bit masks; corners of equal masks have equal sums.
void split_pairwise(const FacesAround& around, size_t count, double cos_crease, VertexCopies& copies, uint32_t* copy_of) {
    uint64_t near[kPairwiseCorners];
    const uint64_t all = count == 64 ? ~uint64_t(0) : (uint64_t(1) << count) - 1;
    for (size_t i = 0; i < count; ++i) near[i] = uint64_t(1) << i;
    for (size_t i = 0; i < count; ++i) {
        for (size_t j = i + 1; j < count; ++j) {
            if (around.cosine(i, j) < cos_crease) continue;
            near[i] |= uint64_t(1) << j;
            near[j] |= uint64_t(1) << i;
        }
    }
    for (size_t i = 0; i < count; ++i)
        if (around.degenerate(i)) near[i] = all;  // no direction to turn from: every face counts
    for (size_t i = 0; i < count; ++i) {
        size_t same = i;
        for (size_t k = 0; k < i && same == i; ++k)
            if (near[k] == near[i]) same = k;
        if (same != i) {
            copy_of[i] = copy_of[same];
            continue;
        }
        double sum[3] = {0, 0, 0};
        for (uint64_t bits = near[i]; bits != 0; bits &= bits - 1) {
            const double* w = &around.weighted[3 * size_t(__builtin_ctzll(bits))];
            for (int axis = 0; axis < 3; ++axis) sum[axis] += w[axis];
        }
        float n[3];
        unit_or_up(n, sum);
        copy_of[i] = copies.copy_with(n);
    }
}

// A vertex of many corners: groups of faces joined across the edges they
// share around it, where they turn by at most the crease angle.
void split_by_edges(const FacesAround& around, const uint32_t* faces, uint32_t vertex, const uint32_t* corner, size_t count,
                    double cos_crease, VertexCopies& copies, uint32_t* copy_of) {
    std::vector<std::pair<uint32_t, uint32_t>> edges;  // (other vertex of an edge, corner position)
    edges.reserve(2 * count);
    for (size_t i = 0; i < count; ++i) {
        const size_t face = corner[i] / 3, within = corner[i] % 3;
        for (size_t step = 1; step <= 2; ++step) {
            const uint32_t other = faces[3 * face + (within + step) % 3];
            if (other != vertex) edges.push_back({other, uint32_t(i)});
        }
    }
    std::sort(edges.begin(), edges.end());
    std::vector<uint32_t> group(count);
    std::iota(group.begin(), group.end(), 0u);
    const auto root = [&](uint32_t i) {
        while (group[i] != i) i = group[i] = group[group[i]];
        return i;
    };
    for (size_t e = 0; e + 1 < edges.size(); ++e) {
        const uint32_t i = edges[e].second, j = edges[e + 1].second;
        if (edges[e].first != edges[e + 1].first || around.degenerate(i) || around.degenerate(j) ||
            around.cosine(i, j) < cos_crease)
            continue;
        const uint32_t a = root(i), b = root(j);
        group[std::max(a, b)] = std::min(a, b);  // the lower root stays: the same groups in any order
    }
    std::vector<double> sums(3 * count, 0.0);
    double total[3] = {0, 0, 0};
    for (size_t i = 0; i < count; ++i) {
        double* sum = &sums[3 * size_t(root(uint32_t(i)))];
        for (int axis = 0; axis < 3; ++axis) {
            sum[axis] += around.weighted[3 * i + axis];
            total[axis] += around.weighted[3 * i + axis];
        }
    }
    std::map<std::array<float, 3>, uint32_t> made;
    for (size_t i = 0; i < count; ++i) {
        std::array<float, 3> n;
        unit_or_up(n.data(), around.degenerate(i) ? total : &sums[3 * size_t(root(uint32_t(i)))]);
        const auto found = made.emplace(n, uint32_t(copies.count));
        if (found.second) std::copy(n.begin(), n.end(), copies.normals + 3 * copies.count++);
        copy_of[i] = found.first->second;
    }
}

// Whether a vertex needs no split: every face around it lies within half the
// crease angle of the sum of them all (so any two within the angle: every
// corner's sum is that one), with room for rounding. Marks the vertices
// [begin, end) that may need one.
template <typename T>
void mark_creased(uint8_t* creased, const double* sums, const T* points, const uint32_t* faces, size_t face_count,
                  size_t begin, size_t end, double cos_crease) {
    const double half = std::acos(std::max(-1.0, std::min(1.0, cos_crease))) / 2;
    const double within = std::cos(half) + 1e-9;
    std::fill(creased + begin, creased + end, uint8_t(0));
    visit_faces_around(points, faces, face_count, begin, end, [&](const uint32_t* corner, const double* n, const bool* mine) {
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (!(length > 0)) return;  // adds nothing to any sum
        for (int k = 0; k < 3; ++k) {
            if (!mine[k]) continue;
            const double* s = sums + 3 * size_t(corner[k]);
            const double dot = n[0] * s[0] + n[1] * s[1] + n[2] * s[2];
            const double sum_length = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
            if (!(dot >= within * length * sum_length)) creased[corner[k]] = 1;
        }
    });
}

}  // namespace

SplitVertices split_at_creases(uint32_t* faces, size_t face_count, const ArrayView& positions, double cos_crease,
                               uint32_t thread_count) {
    const size_t vertices = positions.count / 3;
    const size_t corners = 3 * face_count;
    const uint32_t threads = thread_count != 0 ? thread_count : atom_thread_count(vertices);
    SplitVertices split;
    visit_element_type(positions.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        const T* points = static_cast<const T*>(positions.data);
        // The smooth normals first, and the vertices whose faces turn too far from them.
        ScratchArray<double> sums = allocate_scratch<double>(3 * vertices + 1);
        ScratchArray<uint8_t> creased = allocate_scratch<uint8_t>(vertices + 1);
        const size_t length = range_length(vertices, threads);
        std::vector<size_t> creased_count(threads, 0);
        for_row_ranges(vertices, threads, [&](size_t begin, size_t end) {
            add_area_weighted(sums.get(), points, faces, face_count, begin, end);
            mark_creased(creased.get(), sums.get(), points, faces, face_count, begin, end, cos_crease);
            creased_count[begin / length] = size_t(std::count(creased.get() + begin, creased.get() + end, uint8_t(1)));
        });
        if (std::accumulate(creased_count.begin(), creased_count.end(), size_t(0)) == 0) {
            split.count = vertices;
            split.normals = allocate_scratch<float>(3 * vertices + 3);
            for_row_ranges(vertices, threads, [&](size_t begin, size_t end) {
                for (size_t v = begin; v < end; ++v) unit_or_up(split.normals.get() + 3 * v, sums.get() + 3 * v);
            });
            return;
        }

        // Each range of vertices makes its copies in a region of its own (room for
        // one a corner and one a vertex of no face), each corner's copy counted
        // from the range's first; then the regions are copied together in vertex
        // order, and the faces renumbered.
        const CornerTable table = corners_around(faces, corners, vertices, threads);
        ScratchArray<uint32_t> region_sources = allocate_scratch<uint32_t>(corners + vertices + 1);
        ScratchArray<float> region_normals = allocate_scratch<float>(3 * (corners + vertices) + 3);
        ScratchArray<uint32_t> copy_of = allocate_scratch<uint32_t>(corners + 1);  // by corner table position
        std::vector<size_t> made(threads, 0);
        for_row_ranges(vertices, threads, [&](size_t begin, size_t end) {
            const size_t region = table.first[begin] + begin;
            size_t count = 0;
            FacesAround around;
            for (size_t v = begin; v < end; ++v) {
                const uint32_t* corner = table.around.get() + table.first[v];
                const size_t corners_of_v = table.first[v + 1] - table.first[v];
                uint32_t* copy = copy_of.get() + table.first[v];
                VertexCopies copies{region_normals.get() + 3 * (region + count), 0};
                if (!creased[v]) {
                    unit_or_up(copies.normals, sums.get() + 3 * v);
                    copies.count = 1;
                    std::fill(copy, copy + corners_of_v, 0u);
                } else {
                    around.read(points, faces, corner, corners_of_v);
                    if (corners_of_v <= kPairwiseCorners) {
                        split_pairwise(around, corners_of_v, cos_crease, copies, copy);
                    } else {
                        split_by_edges(around, faces, uint32_t(v), corner, corners_of_v, cos_crease, copies, copy);
                    }
                }
                for (size_t i = 0; i < corners_of_v; ++i) copy[i] += uint32_t(count);
                std::fill(region_sources.get() + region + count, region_sources.get() + region + count + copies.count,
                          uint32_t(v));
                count += copies.count;
            }
            made[begin / length] = count;
        });
        std::vector<size_t> offsets(threads + 1, 0);
        for (uint32_t r = 0; r < threads; ++r) offsets[r + 1] = offsets[r] + made[r];
        split.count = offsets[threads];
        split.source = allocate_scratch<uint32_t>(split.count + 1);
        split.normals = allocate_scratch<float>(3 * split.count + 3);
        for_row_ranges(vertices, threads, [&](size_t begin, size_t end) {
            const size_t range = begin / length, region = table.first[begin] + begin, offset = offsets[range];
            std::copy(region_sources.get() + region, region_sources.get() + region + made[range], split.source.get() + offset);
            std::copy(region_normals.get() + 3 * region, region_normals.get() + 3 * (region + made[range]),
                      split.normals.get() + 3 * offset);
            for (size_t i = table.first[begin]; i < table.first[end]; ++i)
                faces[table.around[i]] = uint32_t(offset) + copy_of[i];
        });
    });
    return split;
}

}  // namespace glb
