// What the plans of the checked builders carry from plan_glb to write_glb.
// Included by glb_assembler.h; the layouts of atoms and meshes are private to
// their builders.
#pragma once

#include <memory>

#include "glb_assembler.h"

namespace glb {

// Positions as unsigned 16-bit normalised integers q: p = offset + extent * q / 65535
// per axis, which the node's translation (offset) and scale (extent) restore.
struct Quantization {
    double offset[3] = {0, 0, 0};
    double extent[3] = {1, 1, 1};  // 1 on a flat axis, where every q is 0
    double steps[3] = {65535, 65535, 65535};  // 65535 / extent: what one unit of a coordinate is in steps
};

struct PointCloudPlan : GlbPlan {
    size_t point_count = 0;
    uint32_t color_components = 3;  // per point in the file
    Quantization quantization;      // compact only
};

struct AtomLayout;
struct AtomCloudPlan : GlbPlan {
    AtomCloudPlan();
    AtomCloudPlan(AtomCloudPlan&&) noexcept;
    AtomCloudPlan& operator=(AtomCloudPlan&&) noexcept;
    ~AtomCloudPlan();
    std::unique_ptr<AtomLayout> layout;
};

struct MeshLayout;
struct MeshPlan : GlbPlan {
    MeshPlan();
    MeshPlan(MeshPlan&&) noexcept;
    MeshPlan& operator=(MeshPlan&&) noexcept;
    ~MeshPlan();
    std::unique_ptr<MeshLayout> layout;
};

}  // namespace glb
