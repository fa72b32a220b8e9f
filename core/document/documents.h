// The document shapes that several builders share, each added into a document
// with its payload blocks: one point primitive (the raw point cloud and atom
// files, and the checked float32 ones), its compact form, and one mesh
// primitive with its material (the raw and checked float32 meshes). Each
// returns its node, which the caller puts under the scene.
#pragma once

#include <cstdint>

#include "document/gltf_document.h"
#include "encodings/quantization.h"
#include "glb_assembler.h"

namespace glb {

// One node showing one mesh of one point primitive: POSITION (float32, with
// bounds) and COLOR_0 (float32), one block each in that order. Counts and
// lengths as given, so that the raw builders can write counts that disagree.
struct PointShape {
    const char* node_name = "Atoms";
    const char* mesh_name = "AtomCloud";
    uint64_t count = 0;
    Bounds3 bounds{};
    gltf::AccessorType color_type = gltf::AccessorType::vec3;
    uint64_t position_bytes = 0;
    uint64_t color_bytes = 0;
};

// Where a shape's node and blocks went.
struct PlacedPoints {
    uint32_t node = 0;
    uint64_t position_offset = 0;
    uint64_t color_offset = 0;
};

PlacedPoints add_points(gltf::Document& document, const PointShape& shape);

// The compact point primitive: POSITION as normalised uint16 (stride 8) restored
// by the node's transform, COLOR_0 as normalised uint8 (stride 4), under
// KHR_mesh_quantization.
PlacedPoints add_compact_points(gltf::Document& document, const char* node_name, const char* mesh_name, uint64_t count,
                                const Extremes& extremes, const Quantization& quantization,
                                gltf::AccessorType color_type);

// One node "Mesh" showing mesh "MeshGeometry" of one triangle primitive with its
// material: POSITION, NORMAL, optional COLOR_0 (VEC4) and 32-bit indices, one
// block each in that order.
struct MeshShape {
    uint64_t vertex_count = 0;
    uint64_t index_count = 0;
    Bounds3 bounds{};
    MeshMaterial material{};
    bool has_colors = false;
    uint64_t position_bytes = 0;
    uint64_t normal_bytes = 0;
    uint64_t color_bytes = 0;
    uint64_t index_bytes = 0;
};

struct PlacedMesh {
    uint32_t node = 0;
    uint64_t position_offset = 0;
    uint64_t normal_offset = 0;
    uint64_t color_offset = 0;
    uint64_t index_offset = 0;
};

PlacedMesh add_mesh(gltf::Document& document, const MeshShape& shape);

gltf::Material material_of(const MeshMaterial& material);

}  // namespace glb
