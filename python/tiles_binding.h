// The package's tileset functions (core/tiles), added to spatial_assembler._core.
#pragma once

#include <pybind11/pybind11.h>

void register_tiles(pybind11::module_& module);
