// The core's refusals in Node's words: a TypeError (ERR_INVALID_ARG_TYPE) for a
// kind of input that cannot be used, a RangeError (ERR_OUT_OF_RANGE) for a value
// or a count that is wrong, each naming the argument in its JavaScript spelling.
#pragma once

#include "calls.h"
#include "inputs/input_error.h"
#include "napi_helpers.h"

// The raw functions name their arguments as they always have ("vmin[1]",
// "options.baseColor[2]"); the checked ones as theirs ("positions",
// "options.colors") with the row and column of the first bad value.
ArgumentError node_input_error(const glb::InputError& error, Spelling spelling);
