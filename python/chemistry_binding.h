// The package's chemistry and colour functions (bonds, element colours, colour
// maps), added to spatial_assembler._core.
#pragma once

#include <pybind11/pybind11.h>

void register_chemistry(pybind11::module_& module);
