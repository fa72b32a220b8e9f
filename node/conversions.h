// Conversions shared by the Node bindings: JavaScript arguments to core inputs,
// core failures to JavaScript errors with Node's error codes, and the finished
// GLB to a Buffer, now or on the libuv thread pool.
#pragma once

#include <napi.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "glb_assembler.h"
#include "large_memory.h"

// How a call holds its array arguments. A call that returns its Buffer borrows
// them: no JavaScript runs before it returns. The work of a promise copies them
// on the JavaScript thread first, since the program may transfer, resize or
// overwrite its arrays while the work runs on the thread pool.
enum class InputMode { borrow, copy };

// The element type of an array argument: a typed array of exactly this type is
// taken, or raw bytes (Buffer, Uint8Array, ArrayBuffer, DataView), read as
// little-endian values of it.
enum class ElementType { float32, uint16, uint32 };

// Names an argument in messages, as Node does: `The "vmin" argument` or, for a
// key of an options object, `The "options.baseColor" property`.
struct ArgumentName {
    const char* name;
    bool is_option = false;

    std::string subject() const;  // `The "vmin" argument`
    std::string quoted() const;   // `"vmin"` or `"options.baseColor"`
};

// A bad argument: becomes a TypeError with code ERR_INVALID_ARG_TYPE or a
// RangeError with code ERR_OUT_OF_RANGE.
class ArgumentError : public std::runtime_error {
public:
    enum class Kind { type, range };
    ArgumentError(Kind kind, const std::string& message) : std::runtime_error(message), kind(kind) {}
    Kind kind;
};

// "Received ..." of Node's messages: `Received undefined`, `Received type
// string ('abc')`, `Received an instance of Float64Array`.
std::string describe_received(Napi::Value value);

// An array argument's memory, read on the JavaScript thread: borrowed from the
// JavaScript array, or an aligned copy of it that the data owns.
class ArrayData {
public:
    ArrayData() = default;
    const void* data() const { return data_; }
    size_t byte_length() const { return byte_length_; }

private:
    friend class ArrayArgument;
    const void* data_ = nullptr;
    size_t byte_length_ = 0;
    glb::ScratchArray<uint8_t> copy_;
};

// An array argument, checked when it is constructed (kind and element type,
// not detached). Its memory is taken only by take(), which a binding calls after
// every other argument has been read: reading a number may run a getter of the
// program, which could detach or resize the array.
class ArrayArgument {
public:
    ArrayArgument(Napi::Value value, ArgumentName name, ElementType type);
    // Its current length in bytes, for the size check that comes before take().
    size_t byte_length() const;
    // The memory, checked once more for detachment; copied when mode is copy or
    // when it is not aligned for its element type.
    ArrayData take(InputMode mode) const;

private:
    struct Memory {
        const uint8_t* data;
        size_t byte_length;
    };
    Memory locate() const;

    Napi::Value value_;
    ArgumentName name_;
    ElementType type_;
};

// A number (typeof number): TypeError otherwise.
double read_number(Napi::Value value, ArgumentName name);
// A boolean (typeof boolean): TypeError otherwise.
bool read_boolean(Napi::Value value, ArgumentName name);
// The first count numbers of an array or typed array: TypeError for another kind
// of value or an item that is not a number, RangeError when it holds fewer.
void read_numbers(Napi::Value value, ArgumentName name, double* out, size_t count);
template <size_t N>
std::array<double, N> read_numbers(Napi::Value value, ArgumentName name) {
    std::array<double, N> numbers{};
    read_numbers(value, name, numbers.data(), N);
    return numbers;
}
// RangeError naming the argument when a value is NaN or infinite.
void require_finite(const double* values, size_t count, ArgumentName name);


// One call with its arguments read: builds the GLB into an output on any thread.
class GlbJob {
public:
    virtual ~GlbJob() = default;
    virtual void build(glb::GlbOutput& output) = 0;
};

// Reads a call's arguments into a job, or throws.
using JobReader = std::unique_ptr<GlbJob> (*)(const Napi::CallbackInfo& info, InputMode mode);

// Prepares what every call of an environment uses; called once, before exporting.
void prepare_environment(Napi::Env env);

// Exports name, returning the Buffer, and promises.name, returning a Promise of
// it from the thread pool (bad arguments reject it), both reading with read.
void export_function(Napi::Env env, Napi::Object exports, Napi::Object promises, const char* name, JobReader read);
