// Array arguments of the addon's functions: where their memory lies, checked
// when they are read, and held for the call (borrowed, or copied).
#pragma once

#include <node_api.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "inputs/arrays.h"
#include "glb_assembler.h"
#include "inputs/input_error.h"
#include "memory/large_memory.h"
#include "napi_helpers.h"

// How a call holds its arrays. A call that returns its Buffer borrows them: no
// program code runs while it reads them (the one call into JavaScript, the
// result's allocation, is followed by a check that nothing changed). A promise
// copies them on the JavaScript thread first, since the program may transfer,
// resize or overwrite its arrays while the work runs on the thread pool. Copies
// follow the core's rule for input copies (allocate_input_copy).
enum class InputMode { borrow, copy };

// The element type of a typed array's kind (Uint8ClampedArray counts as uint8);
// false for a kind the core does not read.
bool element_type_of(napi_typedarray_type kind, glb::ElementType& type);

// An array's memory as a call holds it.
struct HeldArray {
    const uint8_t* data = nullptr;
    size_t byte_length = 0;
    glb::ElementType type = glb::ElementType::uint8;
    glb::ScratchArray<uint8_t> copy;  // when copied

    glb::ArrayView view() const { return glb::ArrayView{data, byte_length / glb::element_size(type), type, true}; }
};

class ArrayArgument {
public:
    // The raw functions' arrays: a typed array of `expected` (Float32Array,
    // Uint16Array, Uint32Array), or raw little-endian bytes of it (a Buffer,
    // Uint8Array, ArrayBuffer or DataView). TypeError otherwise, or when detached.
    // field: the core's name of the input, for the core's rules about it.
    static ArrayArgument raw(napi_env env, napi_value value, ArgumentName name, glb::Field field,
                             glb::ElementType expected);
    // The checked functions' arrays: a typed array of any kind of number, read
    // as its own element type (Uint8ClampedArray counts as uint8), or a plain
    // Array of numbers, copied at once as float64 (an item that is not a number
    // is a TypeError naming it).
    static ArrayArgument typed(napi_env env, napi_value value, ArgumentName name, glb::Field field);
    // Values read by the addon itself (element symbols as atomic numbers), held as they are.
    static ArrayArgument held(napi_env env, ArgumentName name, glb::Field field, glb::ElementType type,
                              glb::ScratchArray<uint8_t> values, size_t count);

    // Its length now, and its element type. Reading another argument may run a
    // getter of the program, which could detach or resize the array: the memory
    // is located afresh each time, and taken only after every other argument.
    size_t byte_length() const { return locate().byte_length; }
    glb::ElementType type() const { return type_; }
    size_t count() const { return byte_length() / glb::element_size(type_); }
    glb::Field field() const { return field_; }

    // The memory: borrowed, or copied when mode is copy or it is not aligned for
    // its element type; at most max_bytes of it.
    HeldArray take(InputMode mode, size_t max_bytes = SIZE_MAX) const;

    // The program's memory that the array lies in (none for a plain Array), for
    // the core's rule that a file is not written over its inputs.
    glb::InputMemory memory() const;

    // For a call that borrowed its arrays: throws TypeError when the array no
    // longer lies where it did (detached, resized or moved by program code that
    // ran meanwhile), or when its memory overlaps the result's.
    void check_unchanged(const HeldArray& held, const uint8_t* result, size_t result_size) const;

private:
    struct Located {
        const uint8_t* data = nullptr;
        size_t byte_length = 0;
    };
    ArrayArgument(napi_env env, napi_value value, ArgumentName name, glb::Field field, glb::ElementType type, bool raw);
    Located locate() const;

    napi_env env_;
    napi_value value_;
    ArgumentName name_;
    glb::Field field_;
    glb::ElementType type_;
    bool raw_;
    std::shared_ptr<glb::ScratchArray<uint8_t>> own_;  // values read from a plain Array, or by the addon
    size_t own_count_ = 0;
};
