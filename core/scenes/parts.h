// The parts a scene is made of, as the scene plans and writes them. Each kind
// of part checks its record, plans itself into the one document of the file
// (its accessors, buffer views, meshes, materials and nodes, and its payload
// blocks, reserved in order) and keeps in a PartLayout what its write needs:
// every offset, stride and quantisation is decided there, and the write only
// carries it out.
#pragma once

#include <cstdint>
#include <memory>

#include "document/gltf_document.h"
#include "glb_assembler.h"

namespace glb {

class PartLayout {
public:
    virtual ~PartLayout() = default;
    // Writes the part's blocks into the file's payload (offsets count from its
    // start). May throw InputError for a value found bad while it is copied.
    virtual void write(uint8_t* payload, uint32_t thread_count) const = 0;
};

struct PlannedPart {
    uint32_t root = 0;  // the node that shows the part, under which all its nodes hang
    std::unique_ptr<PartLayout> layout;
};

// Counts and small values only (see check_input(Scene)).
void check_part(const PointCloud& input);
void check_part(const AtomCloud& input);
void check_part(const TriangleMesh& input);
void check_part(const LineSet& input);

// The payload bytes each part needs at most, for the 4 GiB check of a scene
// before anything is read (saturating at UINT64_MAX).
uint64_t payload_estimate(const PointCloud& input);
uint64_t payload_estimate(const AtomCloud& input);
uint64_t payload_estimate(const TriangleMesh& input);
uint64_t payload_estimate(const LineSet& input);

// Plans the part (after its check) into document; the layout points to input.
PlannedPart plan_part(gltf::Document& document, const PointCloud& input);
PlannedPart plan_part(gltf::Document& document, const AtomCloud& input);
PlannedPart plan_part(gltf::Document& document, const TriangleMesh& input);
PlannedPart plan_part(gltf::Document& document, const LineSet& input);

}  // namespace glb
