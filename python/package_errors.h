// The core's refusals in the Python package's words: ValueError for a value or
// a count that is wrong, TypeError for a kind of input that cannot be used, each
// naming the argument as the package's functions call it, and the first bad row.
#pragma once

#include "inputs/input_error.h"

[[noreturn]] void raise_package_error(const glb::InputError& error);
