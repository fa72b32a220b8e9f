// The small meshes that atoms and bonds are drawn with: a unit icosphere (an
// icosahedron subdivided once: 42 vertices, 80 triangles, normals pointing out)
// and an open unit cylinder along +y from y = 0 to y = 1 (its ends lie inside
// the spheres), and the transforms that place them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace glb {

constexpr size_t kSphereVertices = 42;
constexpr size_t kSphereTriangles = 80;
constexpr size_t kStickSegments = 12;
constexpr size_t kStickVertices = 2 * kStickSegments;
constexpr size_t kStickTriangles = 2 * kStickSegments;

struct UnitSphere {
    float positions[kSphereVertices][3];  // unit length: also the normals
    uint16_t indices[3 * kSphereTriangles];
};

struct UnitStick {
    float positions[kStickVertices][3];
    float normals[kStickVertices][3];
    uint16_t indices[3 * kStickTriangles];
};

// Computed in double and rounded to float32, the same on every platform.
const UnitSphere& unit_sphere();
const UnitStick& unit_stick();

// The transform of the half-stick from atom position `from` towards `to`: the
// rotation (x, y, z, w) that turns +y onto the direction, and the length of the
// half (half the distance; 0 for atoms at one place, drawn along +y).
struct StickPlacement {
    double rotation[4];
    double half_length;
};
StickPlacement place_stick(const float* from, const float* to);

// Vertex v of the unit stick placed at `from` with this rotation and scale
// (radius, length, radius), and its normal, in float32 arithmetic.
void placed_stick_vertex(float* position, float* normal, const float* from, const float* rotation,
                         const float* scale, size_t vertex);

}  // namespace glb
