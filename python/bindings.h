// One registration function per Python function of the module.
#pragma once

#include <pybind11/pybind11.h>

void register_atom_glb(pybind11::module_& module);
void register_point_cloud_glb(pybind11::module_& module);
void register_mesh_glb(pybind11::module_& module);
