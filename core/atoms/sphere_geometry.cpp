#include "atoms/sphere_geometry.h"

#include <cmath>
#include <map>
#include <utility>

namespace glb {

namespace {

UnitSphere make_unit_sphere() {
    const double phi = (1 + std::sqrt(5.0)) / 2;
    double vertices[kSphereVertices][3] = {
        {-1, phi, 0}, {1, phi, 0}, {-1, -phi, 0}, {1, -phi, 0}, {0, -1, phi}, {0, 1, phi},
        {0, -1, -phi}, {0, 1, -phi}, {phi, 0, -1}, {phi, 0, 1}, {-phi, 0, -1}, {-phi, 0, 1},
    };
    const uint16_t icosahedron[20][3] = {
        {0, 11, 5}, {0, 5, 1}, {0, 1, 7}, {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4}, {11, 10, 2}, {10, 7, 6}, {7, 1, 8},
        {3, 9, 4}, {3, 4, 2}, {3, 2, 6}, {3, 6, 8}, {3, 8, 9}, {4, 9, 5}, {2, 4, 11}, {6, 2, 10}, {8, 6, 7}, {9, 8, 1},
    };
    size_t count = 12;
    std::map<std::pair<uint16_t, uint16_t>, uint16_t> midpoints;
    const auto midpoint = [&](uint16_t a, uint16_t b) {
        const auto key = std::make_pair(a < b ? a : b, a < b ? b : a);
        const auto found = midpoints.find(key);
        if (found != midpoints.end()) return found->second;
        for (int axis = 0; axis < 3; ++axis) vertices[count][axis] = (vertices[a][axis] + vertices[b][axis]) / 2;
        midpoints[key] = uint16_t(count);
        return uint16_t(count++);
    };
    UnitSphere sphere{};
    size_t index = 0;
    for (const auto& face : icosahedron) {
        const uint16_t a = face[0], b = face[1], c = face[2];
        const uint16_t ab = midpoint(a, b), bc = midpoint(b, c), ca = midpoint(c, a);
        for (const uint16_t corner : {a, ab, ca, b, bc, ab, c, ca, bc, ab, bc, ca}) sphere.indices[index++] = corner;
    }
    for (size_t v = 0; v < kSphereVertices; ++v) {
        const double* p = vertices[v];
        const double length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
        for (int axis = 0; axis < 3; ++axis) sphere.positions[v][axis] = float(p[axis] / length);
    }
    return sphere;
}

UnitStick make_unit_stick() {
    UnitStick stick{};
    const double pi = 3.14159265358979323846;
    for (size_t s = 0; s < kStickSegments; ++s) {
        const double angle = 2 * pi * double(s) / kStickSegments;
        const float x = float(std::cos(angle)), z = float(std::sin(angle));
        for (size_t end = 0; end < 2; ++end) {
            const size_t v = 2 * s + end;
            stick.positions[v][0] = x;
            stick.positions[v][1] = float(end);
            stick.positions[v][2] = z;
            stick.normals[v][0] = x;
            stick.normals[v][1] = 0;
            stick.normals[v][2] = z;
        }
    }
    size_t index = 0;
    for (size_t s = 0; s < kStickSegments; ++s) {
        const uint16_t bottom = uint16_t(2 * s), top = uint16_t(2 * s + 1);
        const uint16_t next_bottom = uint16_t(2 * ((s + 1) % kStickSegments)), next_top = uint16_t(next_bottom + 1);
        // Counter-clockwise seen from outside.
        for (const uint16_t corner : {bottom, top, next_bottom, next_bottom, top, next_top}) stick.indices[index++] = corner;
    }
    return stick;
}

// Rotates v by the unit quaternion q (x, y, z, w), in float32 arithmetic.
void rotate(float* out, const float* q, const float* v) {
    // t = 2 (q.xyz x v); out = v + w t + q.xyz x t
    const float t[3] = {2 * (q[1] * v[2] - q[2] * v[1]), 2 * (q[2] * v[0] - q[0] * v[2]), 2 * (q[0] * v[1] - q[1] * v[0])};
    const float c[3] = {q[1] * t[2] - q[2] * t[1], q[2] * t[0] - q[0] * t[2], q[0] * t[1] - q[1] * t[0]};
    for (int axis = 0; axis < 3; ++axis) out[axis] = v[axis] + q[3] * t[axis] + c[axis];
}

}  // namespace

const UnitSphere& unit_sphere() {
    static const UnitSphere sphere = make_unit_sphere();  // trivially destructible: safe at process exit
    return sphere;
}

const UnitStick& unit_stick() {
    static const UnitStick stick = make_unit_stick();
    return stick;
}

StickPlacement place_stick(const float* from, const float* to) {
    const double d[3] = {double(to[0]) - from[0], double(to[1]) - from[1], double(to[2]) - from[2]};
    const double length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    StickPlacement placement{{0, 0, 0, 1}, length / 2};
    if (!(length > 0)) return placement;
    const double u[3] = {d[0] / length, d[1] / length, d[2] / length};
    if (u[1] < -1 + 1e-12) {  // straight down: half a turn about x
        placement.rotation[0] = 1;
        placement.rotation[3] = 0;
        return placement;
    }
    // The rotation from +y onto u: axis +y x u, half the angle, as (u_z, 0, -u_x, 1 + u_y) normalised.
    const double q[4] = {u[2], 0, -u[0], 1 + u[1]};
    const double norm = std::sqrt(q[0] * q[0] + q[2] * q[2] + q[3] * q[3]);
    for (int i = 0; i < 4; ++i) placement.rotation[i] = q[i] / norm;
    return placement;
}

void placed_stick_vertex(float* position, float* normal, const float* from, const float* rotation,
                         const float* scale, size_t vertex) {
    const UnitStick& stick = unit_stick();
    const float scaled[3] = {stick.positions[vertex][0] * scale[0], stick.positions[vertex][1] * scale[1],
                             stick.positions[vertex][2] * scale[2]};
    float turned[3];
    rotate(turned, rotation, scaled);
    for (int axis = 0; axis < 3; ++axis) position[axis] = from[axis] + turned[axis];
    rotate(normal, rotation, stick.normals[vertex]);
}

}  // namespace glb
