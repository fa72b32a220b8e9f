// Conversions shared by the bindings: Python buffers to raw memory, sequences to
// doubles, and a finished GLB to a bytes object.
#pragma once

#include <pybind11/pybind11.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "glb_assembler.h"

namespace py = pybind11;

// A read-only view of a Python buffer, held until the span is destroyed (after the
// builder that reads it has returned).
class BufferSpan {
public:
    // Requests strides, shape and format (PyBUF_STRIDES | PyBUF_FORMAT); an exporter's
    // refusal propagates as its own Python error.
    explicit BufferSpan(py::handle object);
    ~BufferSpan();
    BufferSpan(const BufferSpan&) = delete;
    BufferSpan& operator=(const BufferSpan&) = delete;

    // Item size times the product of the shape.
    size_t byte_length() const { return byte_length_; }

    // The bytes in logical C order, at an address aligned to `alignment`. A view that
    // is not C-contiguous (strided, reversed, Fortran order) or not aligned is copied
    // into packed storage first, exactly as numpy.ascontiguousarray would lay it out;
    // memory outside the exported view is never read.
    const void* data(size_t alignment);

private:
    Py_buffer view_{};
    size_t byte_length_ = 0;
    std::unique_ptr<uint8_t[]> packed_;
};

// The view of a buffer-kind argument.
inline BufferSpan buffer_span(py::handle object) { return BufferSpan(object); }

// The first N items of a sequence as doubles. Fewer than N items: ValueError
// "sequence too short"; an item that is not a number: the binding library's cast error.
template <size_t N>
std::array<double, N> read_numbers(const py::sequence& sequence) {
    if (sequence.size() < N) throw py::value_error("sequence too short");
    std::array<double, N> values{};
    for (size_t i = 0; i < N; ++i) values[i] = sequence[i].cast<double>();
    return values;
}

// vmin and vmax, three numbers each, read in that order as read_numbers does.
inline glb::Bounds3 read_bounds(const py::sequence& vmin, const py::sequence& vmax) {
    const std::array<double, 3> minimum = read_numbers<3>(vmin);
    const std::array<double, 3> maximum = read_numbers<3>(vmax);
    return glb::Bounds3{{minimum[0], minimum[1], minimum[2]}, {maximum[0], maximum[1], maximum[2]}};
}

// The result of a call: the builder writes the GLB straight into a new bytes object
// of exactly its size, so the file is never copied once more. If the builder fails
// after reserving, the object is released with the output.
class BytesOutput final : public glb::GlbOutput {
public:
    BytesOutput() = default;
    BytesOutput(const BytesOutput&) = delete;
    BytesOutput& operator=(const BytesOutput&) = delete;
    ~BytesOutput() { Py_XDECREF(bytes_); }

    // Creates the bytes object; RuntimeError "Could not allocate bytes object!" when it cannot.
    uint8_t* reserve(size_t size) override;
    // The finished bytes object, handed to the caller.
    py::bytes release();

private:
    PyObject* bytes_ = nullptr;
};

// Refuses a call whose payload alone reaches the container's 4 GiB limit, before any
// buffer is packed or anything large is allocated.
void refuse_oversized_payload(uint64_t payload_bytes);
