// Windows of vertices for compact meshes: a primitive of 16-bit indices
// reaches 65,535 vertices, so a larger mesh is drawn as primitives over
// windows of its vertices, each window holding the vertices of its faces. A
// vertex whose faces fall into several windows is repeated in each (viewers
// hold every primitive's vertices apart), so the faces must be taken in an
// order that keeps the seams between windows short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "memory/large_memory.h"

namespace glb {

// Vertices of one window at most: indices 0 .. 65534 (65535 is the primitive restart value).
constexpr size_t kWindowVertices = 65535;

// A run of faces, and the window of vertices they index.
struct VertexWindow {
    size_t first_face = 0;
    size_t face_count = 0;
    size_t first_vertex = 0;  // in the windowed vertices, which follow each other window by window
    size_t vertex_count = 0;
};

// Windows that faces fill one after another. A vertex used by no face is in none.
struct WindowedMesh {
    std::vector<VertexWindow> windows;  // empty: they would hold more than allowed
    size_t vertex_count = 0;            // of all windows together
    ScratchArray<uint32_t> source;      // the vertex of the mesh that each windowed vertex copies
    ScratchArray<uint32_t> faces;       // the faces, three windowed vertices each, window by window
};

// Windows filled by the faces in their order: a face goes into the current
// window while its vertices fit, else opens the next one; each window's
// vertices in the order its faces first use them. faces: 3 vertex indices a
// face, below vertex_count. No windows when the vertices placed in more than
// one window exceed most_repeated (a fraction) of the vertices used, which is
// checked as each window closes, so that an order with long seams is given up early.
WindowedMesh windows_in_order(const uint32_t* faces, size_t face_count, size_t vertex_count, double most_repeated);

// The same, the faces first ordered box by box: boxes of about equal face
// counts, each with somewhat fewer vertices than a window holds, cut from the
// mesh's bounds as a k-d tree (across the longest side each time, where a
// sample of the faces places the cut), so that each window is a compact patch
// of the surface and its seams run along edges. Repeats are checked once, at
// the end. positions: float32 x, y, z of each vertex.
WindowedMesh windows_in_space(const uint32_t* faces, size_t face_count, size_t vertex_count, const float* positions,
                              double most_repeated);

}  // namespace glb
