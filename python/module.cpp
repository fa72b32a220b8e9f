// The module _spatial_assembler: multi-phase initialisation under the version gate
// of the binding library, the docstring, and the three functions.
#include <pybind11/pybind11.h>

#include "bindings.h"
#include "parallel/parallel.h"

PYBIND11_MODULE(_spatial_assembler, module) {
    module.doc() = "Native GLB assembler (shared C++ core with the Node addon).";
    register_atom_glb(module);
    register_point_cloud_glb(module);
    register_mesh_glb(module);
    // One pool of workers for the process: spatial_assembler._core, which links its own core, runs on this one's.
    module.attr("_worker_pool_v1") = pybind11::capsule(glb::worker_pool_handle(), "_spatial_assembler._worker_pool_v1");
}
