#include "meshes/vertex_windows.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "parallel/row_ranges.h"

namespace glb {

namespace {

// Windows filled by the faces in order, a window opening also at each face in
// breaks (ascending; repeats allowed). None when the vertices placed more than
// once exceed most_repeated of the vertices placed: checked as each window
// closes (a seam per window costs as much in the first windows as in the
// last, so the order of a mesh that repeats too many shows early) when
// check_early, else once at the end.
WindowedMesh fill_windows(const uint32_t* faces, size_t face_count, size_t vertex_count, double most_repeated,
                          bool check_early, const std::vector<size_t>& breaks) {
    const size_t room = vertex_count + size_t(double(vertex_count) * most_repeated) + kWindowVertices;
    WindowedMesh mesh;
    mesh.source = allocate_scratch<uint32_t>(room + 1);
    mesh.faces = allocate_scratch<uint32_t>(3 * face_count + 1);
    // The window each vertex was last placed in, and its place there.
    ScratchArray<uint32_t> window_of = allocate_scratch<uint32_t>(vertex_count + 1);
    ScratchArray<uint32_t> place = allocate_scratch<uint32_t>(vertex_count + 1);
    std::fill(window_of.get(), window_of.get() + vertex_count, UINT32_MAX);
    VertexWindow window;
    uint32_t current = 0;
    size_t next_break = 0, distinct = 0;
    const auto too_many = [&] {
        return double(window.first_vertex + window.vertex_count - distinct) > most_repeated * double(distinct);
    };
    for (size_t f = 0; f < face_count; ++f) {
        const uint32_t* corner = faces + 3 * f;
        size_t fresh = 0;  // corners whose vertex the window does not hold yet (each vertex once)
        for (int k = 0; k < 3; ++k)
            fresh += window_of[corner[k]] != current && (k == 0 || corner[k] != corner[0]) && (k < 2 || corner[2] != corner[1]);
        bool breaks_here = false;
        for (; next_break < breaks.size() && breaks[next_break] <= f; ++next_break) breaks_here = true;
        if (f != window.first_face && (breaks_here || window.vertex_count + fresh > kWindowVertices)) {
            if ((check_early || window.first_vertex + window.vertex_count + kWindowVertices > room) && too_many())
                return WindowedMesh{};
            window.face_count = f - window.first_face;
            mesh.windows.push_back(window);
            window = VertexWindow{f, 0, window.first_vertex + window.vertex_count, 0};
            ++current;
        }
        for (int k = 0; k < 3; ++k) {
            const uint32_t v = corner[k];
            if (window_of[v] != current) {
                distinct += window_of[v] == UINT32_MAX;
                window_of[v] = current;
                place[v] = uint32_t(window.first_vertex + window.vertex_count++);
                mesh.source[place[v]] = v;
            }
            mesh.faces[3 * f + size_t(k)] = place[v];
        }
    }
    if (too_many()) return WindowedMesh{};
    window.face_count = face_count - window.first_face;
    mesh.windows.push_back(window);
    mesh.vertex_count = window.first_vertex + window.vertex_count;
    return mesh;
}

// Where a face lies, for the cuts: the low corner of its bounds (the faces
// that make up a quad share it, so that cuts run along edges, not across quads).
struct FacePlace {
    float at[3];
};

inline FacePlace place_of(const uint32_t* corner, const float* positions) {
    FacePlace place;
    for (int axis = 0; axis < 3; ++axis)
        place.at[axis] = std::min({positions[3 * size_t(corner[0]) + axis], positions[3 * size_t(corner[1]) + axis],
                                    positions[3 * size_t(corner[2]) + axis]});
    return place;
}

// A k-d tree of boxes: each cut sends a face placed below `at` on its axis to
// one side, the others to the other; a side is a cut or (kBoxBit set) a box.
constexpr uint32_t kBoxBit = 0x80000000u;

struct Cut {
    int axis;
    float at;
    uint32_t below, above;
};

// Cuts places [begin, end) into `parts` boxes of about equal counts, each
// across the longest side of their bounds; boxes numbered depth first, so that
// boxes next in number lie side by side. Returns the side that holds them.
uint32_t cut_into_boxes(std::vector<FacePlace>& places, size_t begin, size_t end, size_t parts, std::vector<Cut>& cuts,
                        uint32_t& boxes) {
    if (parts <= 1) return kBoxBit | boxes++;
    float low[3] = {HUGE_VALF, HUGE_VALF, HUGE_VALF}, high[3] = {-HUGE_VALF, -HUGE_VALF, -HUGE_VALF};
    for (size_t i = begin; i < end; ++i) {
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], places[i].at[axis]);
            high[axis] = std::max(high[axis], places[i].at[axis]);
        }
    }
    int axis = 0;
    for (int a = 1; a < 3; ++a)
        if (double(high[a]) - low[a] > double(high[axis]) - low[axis]) axis = a;
    const size_t below_parts = parts / 2;
    const size_t middle = begin + (end - begin) * below_parts / parts;
    float at = HUGE_VALF;  // no face: everything below
    if (middle < end) {
        std::nth_element(places.begin() + ptrdiff_t(begin), places.begin() + ptrdiff_t(middle),
                         places.begin() + ptrdiff_t(end),
                         [axis](const FacePlace& a, const FacePlace& b) { return a.at[axis] < b.at[axis]; });
        at = places[middle].at[axis];
    }
    const uint32_t index = uint32_t(cuts.size());
    cuts.push_back(Cut{axis, at, 0, 0});
    const uint32_t below = cut_into_boxes(places, begin, middle, below_parts, cuts, boxes);
    const uint32_t above = cut_into_boxes(places, middle, end, parts - below_parts, cuts, boxes);
    cuts[index].below = below;
    cuts[index].above = above;
    return index;
}

// Vertices of one box, about: a tenth fewer than a window holds, for the repeats at its seams.
constexpr size_t kBoxVertices = kWindowVertices - kWindowVertices / 10;

// Faces sampled for the cuts at most: enough to place them within a percent or so.
constexpr size_t kSampledFaces = 1 << 17;

}  // namespace

WindowedMesh windows_in_order(const uint32_t* faces, size_t face_count, size_t vertex_count, double most_repeated) {
    return fill_windows(faces, face_count, vertex_count, most_repeated, true, {});
}

WindowedMesh windows_in_space(const uint32_t* faces, size_t face_count, size_t vertex_count, const float* positions,
                              double most_repeated) {
    // Boxes somewhat smaller than windows, for the repeats at their seams, cut
    // where a sample of the faces says; then every face goes into its box.
    const size_t parts = (vertex_count + kBoxVertices - 1) / kBoxVertices;
    const size_t step = std::max<size_t>(1, face_count / kSampledFaces);
    std::vector<FacePlace> sample;
    sample.reserve(face_count / step + 1);
    for (size_t f = 0; f < face_count; f += step) sample.push_back(place_of(faces + 3 * f, positions));
    std::vector<Cut> cuts;
    uint32_t boxes = 0;
    const uint32_t root = cut_into_boxes(sample, 0, sample.size(), parts, cuts, boxes);

    ScratchArray<uint32_t> box_of = allocate_scratch<uint32_t>(face_count + 1);
    for_row_ranges(face_count, [&](size_t begin, size_t end) {
        for (size_t f = begin; f < end; ++f) {
            const FacePlace place = place_of(faces + 3 * f, positions);
            uint32_t side = root;
            while (!(side & kBoxBit)) {
                const Cut& cut = cuts[side];
                side = place.at[cut.axis] < cut.at ? cut.below : cut.above;
            }
            box_of[f] = side & ~kBoxBit;
        }
    });
    // The faces box by box, in their order within each.
    std::vector<size_t> starts(size_t(boxes) + 1, 0);
    for (size_t f = 0; f < face_count; ++f) ++starts[box_of[f] + 1];
    for (size_t b = 0; b < boxes; ++b) starts[b + 1] += starts[b];
    std::vector<size_t> breaks(starts.begin() + 1, starts.end() - 1);
    ScratchArray<uint32_t> ordered = allocate_scratch<uint32_t>(3 * face_count + 1);
    for (size_t f = 0; f < face_count; ++f) {
        uint32_t* to = ordered.get() + 3 * starts[box_of[f]]++;
        to[0] = faces[3 * f];
        to[1] = faces[3 * f + 1];
        to[2] = faces[3 * f + 2];
    }
    return fill_windows(ordered.get(), face_count, vertex_count, most_repeated, false, breaks);
}

}  // namespace glb
