#include "conversions.h"

#include <cstring>
#include <stdexcept>

BufferSpan::BufferSpan(py::handle object) {
    if (PyObject_GetBuffer(object.ptr(), &view_, PyBUF_STRIDES | PyBUF_FORMAT) != 0) throw py::error_already_set();
    size_t items = 1;
    for (int axis = 0; axis < view_.ndim; ++axis) items *= size_t(view_.shape[axis]);
    byte_length_ = size_t(view_.itemsize) * items;
    // A compliant exporter has len equal to that product; never trust a larger one.
    if (view_.len >= 0 && byte_length_ > size_t(view_.len)) byte_length_ = size_t(view_.len);
}

BufferSpan::~BufferSpan() { PyBuffer_Release(&view_); }

const void* BufferSpan::data(size_t alignment) {
    if (packed_) return packed_.get();
    const bool aligned = reinterpret_cast<uintptr_t>(view_.buf) % alignment == 0;
    const bool contiguous = PyBuffer_IsContiguous(&view_, 'C') != 0;
    if (byte_length_ == 0 || (aligned && contiguous)) return view_.buf;

    // ToContiguous writes view_.len bytes, which a broken exporter may set above the shape's product.
    const size_t storage = view_.len > 0 && size_t(view_.len) > byte_length_ ? size_t(view_.len) : byte_length_;
    packed_.reset(new uint8_t[storage]);  // operator new aligns for every scalar type
    if (contiguous) {
        std::memcpy(packed_.get(), view_.buf, byte_length_);
    } else if (PyBuffer_ToContiguous(packed_.get(), &view_, view_.len, 'C') != 0) {
        packed_.reset();
        throw py::error_already_set();
    }
    return packed_.get();
}

uint8_t* BytesOutput::reserve(size_t size) {
    Py_CLEAR(bytes_);
    bytes_ = PyBytes_FromStringAndSize(nullptr, py::ssize_t(size));
    if (bytes_ == nullptr) {
        PyErr_Clear();
        throw std::runtime_error("Could not allocate bytes object!");
    }
    char* destination = PyBytes_AS_STRING(bytes_);
    glb::advise_huge_pages(destination, size);  // before the first touch of its fresh pages
    return reinterpret_cast<uint8_t*>(destination);
}

py::bytes BytesOutput::release() {
    if (bytes_ == nullptr) throw std::logic_error("no GLB was written");
    PyObject* finished = bytes_;
    bytes_ = nullptr;
    return py::reinterpret_steal<py::bytes>(finished);
}

void refuse_oversized_payload(uint64_t payload_bytes) { glb::glb_size(0, payload_bytes); }
