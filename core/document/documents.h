// The document shapes that several builders share: one point primitive (the raw
// point cloud and atom files, and the checked float32 ones), and one mesh
// primitive with its material (the raw and checked float32 meshes).
#pragma once

#include <cstdint>

#include "glb_assembler.h"
#include "document/gltf_document.h"

namespace glb {

// One node showing one mesh of one point primitive: POSITION (float32, with
// bounds) on buffer view 0 at offset 0, COLOR_0 (float32) on buffer view 1 right
// behind it. Counts and lengths as given, so that the raw builders can write
// counts that disagree.
struct PointDocument {
    const char* node_name = "Atoms";
    const char* mesh_name = "AtomCloud";
    uint64_t count = 0;
    Bounds3 bounds{};
    gltf::AccessorType color_type = gltf::AccessorType::vec3;
    uint64_t position_bytes = 0;
    uint64_t color_bytes = 0;
};
gltf::Document point_document(const PointDocument& shape);

// One node "Mesh" showing mesh "MeshGeometry" of one triangle primitive with
// material 0: POSITION, NORMAL, optional COLOR_0 (VEC4) and 32-bit indices, one
// buffer view each in that order.
struct MeshDocument {
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
gltf::Document mesh_document(const MeshDocument& shape);

gltf::Material material_of(const MeshMaterial& material);

// The compact point primitive: POSITION as normalised uint16 (stride 8) restored
// by the node's transform, COLOR_0 as normalised uint8 (stride 4), under
// KHR_mesh_quantization.
gltf::Document compact_point_document(const char* node_name, const char* mesh_name, uint64_t count,
                                      const Extremes& extremes, const Quantization& quantization,
                                      gltf::AccessorType color_type, uint64_t position_bytes, uint64_t color_bytes);

// A builder's GlbBytes: its plan, one allocation of the planned size, its write.
template <typename Input>
GlbBytes build_planned(const Input& input) {
    const auto plan = plan_glb(input);
    GlbBytes bytes(size_t(plan.file_size));
    write_glb(bytes.data(), plan, input);
    return bytes;
}

}  // namespace glb
