// The program's memory for a file (options.into): the functions that return at
// once write the file at its start and return a Buffer view of it, so that a
// server or a frame loop reuses one Buffer instead of faulting in a fresh one
// per call. The promise forms refuse it: they write on the thread pool, where
// the program could transfer or free the memory meanwhile.
#pragma once

#include <node_api.h>

#include <cstddef>
#include <cstdint>

#include "array_arguments.h"

// Where its memory lies.
struct OutputMemory {
    uint8_t* data = nullptr;
    size_t byte_length = 0;
    napi_value array_buffer = nullptr;
    size_t offset = 0;  // of data in array_buffer
};

// The value of options.into, checked for its kind: an ArrayBuffer, or a typed
// array (a Buffer) or DataView over one, not over a SharedArrayBuffer (other
// threads could change the file as it is written); nullptr when absent.
// TypeError for another kind, a detached buffer, or any value in copy mode
// (the promise forms).
napi_value read_into(napi_env env, napi_value value, InputMode mode);

// Where its memory lies now, after every getter of the call ran.
OutputMemory locate_into(napi_env env, napi_value into);
