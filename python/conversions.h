// Conversions shared by the bindings: Python buffers to raw memory, numbers and
// sequences to doubles, and a finished GLB to a bytes object.
#pragma once

#include <pybind11/pybind11.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

#include "glb_assembler.h"
#include "memory/large_memory.h"

namespace py = pybind11;

// A read-only view of a Python buffer, held until the span is destroyed (after the
// builder that reads it has returned).
class BufferSpan {
public:
    // Requests strides, shape and format (PyBUF_STRIDES | PyBUF_FORMAT); an exporter's
    // refusal propagates as its own Python error. A buffer of Python objects (format
    // "O") is refused with TypeError naming the argument: its memory is heap
    // addresses, which must never end up in a file served to others.
    BufferSpan(py::handle object, const char* argument_name);
    ~BufferSpan();
    BufferSpan(const BufferSpan&) = delete;
    BufferSpan& operator=(const BufferSpan&) = delete;

    // Item size times the product of the shape (SIZE_MAX if that does not fit).
    size_t byte_length() const { return byte_length_; }

    // The bytes in logical C order, at an address aligned to `alignment`. A view that
    // is not C-contiguous (strided, reversed, Fortran order) or not aligned is packed
    // into one block first, exactly as numpy.ascontiguousarray would lay it out;
    // memory outside the exported view is never read. Call it only after every
    // check of the call has passed: packing may copy gigabytes.
    const void* data(size_t alignment);

    // The memory that the exported view spans (strides included): its lowest
    // address and its length in bytes.
    std::pair<const void*, size_t> extent() const;

    // The exporter's item format (struct-module syntax, "B" when it gives none) and item size.
    const char* format() const { return view_.format != nullptr ? view_.format : "B"; }
    size_t item_size() const { return size_t(view_.itemsize); }
    // Its dimensions, and the extent of one (1 for a view that gives no shape).
    int dimensions() const { return view_.ndim; }
    size_t extent_of(int axis) const { return view_.shape != nullptr ? size_t(view_.shape[axis]) : 1; }

private:
    Py_buffer view_{};
    size_t byte_length_ = 0;
    glb::ScratchArray<uint8_t> packed_;
};

// A buffer argument as the core reads it: its memory and its element type (a
// struct-module format in native or little-endian byte order, one of the core's
// element types; TypeError naming the argument otherwise).
class TypedBuffer {
public:
    TypedBuffer(py::handle object, const char* name);

    // Its count and type, with no memory: for the checks that come before any packing.
    glb::ArrayView counted() const {
        return glb::ArrayView{nullptr, span_.byte_length() / glb::element_size(type_), type_, true};
    }
    // Its memory, packed first when it is strided or not aligned.
    const void* data() { return span_.data(glb::element_size(type_)); }
    // Both: call it only after every check of the call.
    glb::ArrayView view() {
        glb::ArrayView view = counted();
        view.data = data();
        return view;
    }
    // The memory the caller's buffer spans.
    std::pair<const void*, size_t> extent() const { return span_.extent(); }
    // The numbers in its last dimension (a colour's components).
    size_t row_width() const { return span_.dimensions() == 0 ? 1 : span_.extent_of(span_.dimensions() - 1); }

private:
    BufferSpan span_;
    glb::ElementType type_ = glb::ElementType::float32;
};

// The view of a buffer-kind argument.
inline BufferSpan buffer_span(py::handle object, const char* argument_name) {
    return BufferSpan(object, argument_name);
}

// A value as a double, through its own __float__ or __index__. A value that is not
// a number (the interpreter's TypeError, ValueError or OverflowError) gives no
// result, with no Python error left set; any other exception raised by the value's
// own conversion (KeyboardInterrupt, SystemExit, MemoryError, its own errors)
// propagates unchanged as py::error_already_set.
std::optional<double> convert_number(py::handle value);

// The binding library's cast error for an item that is not a number.
[[noreturn]] void throw_cast_error(py::handle item);

// The first N items of a sequence as doubles. Fewer than N items: ValueError
// "sequence too short"; an item that is not a number: the cast error.
template <size_t N>
std::array<double, N> read_numbers(const py::sequence& sequence) {
    if (sequence.size() < N) throw py::value_error("sequence too short");
    std::array<double, N> values{};
    for (size_t i = 0; i < N; ++i) {
        const py::object item = sequence[i];
        const std::optional<double> value = convert_number(item);
        if (!value) throw_cast_error(item);
        values[i] = *value;
    }
    return values;
}

// vmin and vmax, three numbers each, read in that order as read_numbers does.
inline glb::Bounds3 read_bounds(const py::sequence& vmin, const py::sequence& vmax) {
    const std::array<double, 3> minimum = read_numbers<3>(vmin);
    const std::array<double, 3> maximum = read_numbers<3>(vmax);
    return glb::Bounds3{{minimum[0], minimum[1], minimum[2]}, {maximum[0], maximum[1], maximum[2]}};
}

// Parameters of the double-precision and boolean kinds. They convert like the
// binding library's double and bool (same signature annotations), except that an
// exception of the value's own conversion that is not a plain conversion failure
// propagates instead of turning into a TypeError.
struct Number {
    double value;
};
struct Flag {
    bool value;
};

// The result of a call: a bytes object of the plan's exact size that write(file)
// fills, so that the file is never copied once more. RuntimeError "Could not
// allocate bytes object!" when the interpreter cannot create it. huge_pages:
// advise its memory for huge pages (see large_memory.h), as the native module
// does for all of its memory; the package keeps its scratch and does not.
py::bytes new_bytes(size_t size, bool huge_pages = false);

template <typename Write>
py::bytes bytes_of_plan(const glb::GlbPlan& plan, bool huge_pages, Write&& write) {
    py::bytes result = new_bytes(size_t(plan.file_size), huge_pages);
    write(reinterpret_cast<uint8_t*>(PyBytes_AS_STRING(result.ptr())));
    return result;
}

// The native module's words for what the core refused: ValueError naming the
// argument ("vmin must hold finite numbers only, ...").
[[noreturn]] void raise_raw_input_error(const glb::InputError& error);

namespace pybind11 {
namespace detail {

template <>
struct type_caster<Number> {
    PYBIND11_TYPE_CASTER(Number, io_name("typing.SupportsFloat | typing.SupportsIndex", "float"));
    bool load(handle source, bool) {
        const std::optional<double> number = convert_number(source);
        if (number) value.value = *number;
        return number.has_value();
    }
    static handle cast(const Number& number, return_value_policy, handle) { return PyFloat_FromDouble(number.value); }
};

template <>
struct type_caster<Flag> {
    PYBIND11_TYPE_CASTER(Flag, const_name("bool"));
    bool load(handle source, bool convert);
    static handle cast(const Flag& flag, return_value_policy, handle) {
        return handle(flag.value ? Py_True : Py_False).inc_ref();
    }
};

}  // namespace detail
}  // namespace pybind11
