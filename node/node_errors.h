// The core's refusals in Node's words: a TypeError (ERR_INVALID_ARG_TYPE) for a
// kind of input that cannot be used, a RangeError (ERR_OUT_OF_RANGE) for a value
// or a count that is wrong, each naming the argument in its JavaScript spelling.
#pragma once

#include <string>

#include "inputs/input_error.h"
#include "napi_helpers.h"

// The spelling of the core's refusals: the raw functions' or the checked ones'.
enum class Spelling { raw, checked };

// An InputError of one part of a scene, with the words that name the part
// ("part 2 ('Cell')"), which the message begins with.
struct PartInputError : glb::InputError {
    PartInputError(const glb::InputError& error, std::string part) : glb::InputError(error), part(std::move(part)) {}
    std::string part;
};

// The raw functions name their arguments as they always have ("vmin[1]",
// "options.baseColor[2]"); the checked ones as theirs ("positions",
// "options.colors") with the row and column of the first bad value.
ArgumentError node_input_error(const glb::InputError& error, Spelling spelling);
