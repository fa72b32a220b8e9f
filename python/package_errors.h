// The core's refusals in the Python package's words: ValueError for a value or
// a count that is wrong, TypeError for a kind of input that cannot be used, each
// naming the argument as the package's functions call it, and the first bad row.
#pragma once

#include "glb_assembler.h"

// scene: the scene whose part the error names (InputError::part), or null for
// a call of one of the package's functions, whose errors name no part.
[[noreturn]] void raise_package_error(const glb::InputError& error, const glb::Scene* scene);
