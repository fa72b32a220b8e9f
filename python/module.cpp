// The module _spatial_assembler: multi-phase initialisation under the version gate
// of the binding library, the docstring, and the three functions.
#include <pybind11/pybind11.h>

#include "bindings.h"

PYBIND11_MODULE(_spatial_assembler, module) {
    module.doc() = "Native GLB assembler (shared C++ core with the Node addon).";
    register_atom_glb(module);
    register_point_cloud_glb(module);
    register_mesh_glb(module);
}
