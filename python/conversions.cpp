#include "conversions.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace {

// Whether a struct-module format string names the object type code "O" anywhere
// (field names between colons are skipped).
bool format_holds_objects(const char* format) {
    if (format == nullptr) return false;  // no format means unsigned bytes
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p == ':') {
            const char* closing = std::strchr(p + 1, ':');
            if (closing == nullptr) return false;
            p = closing;
        } else if (*p == 'O') {
            return true;
        }
    }
    return false;
}

// Copies the view's items in logical C order to destination, advancing it: one
// block copy per innermost row when the row is packed, one per item otherwise.
void pack_axis(const Py_buffer& view, int axis, const uint8_t* source, uint8_t*& destination) {
    const size_t items = size_t(view.shape[axis]);
    const Py_ssize_t stride = view.strides[axis];
    const size_t item_size = size_t(view.itemsize);
    if (axis == view.ndim - 1) {
        if (stride == view.itemsize) {
            std::memcpy(destination, source, items * item_size);
            destination += items * item_size;
            return;
        }
        for (size_t i = 0; i < items; ++i, source += stride, destination += item_size)
            std::memcpy(destination, source, item_size);
        return;
    }
    for (size_t i = 0; i < items; ++i, source += stride) pack_axis(view, axis + 1, source, destination);
}

bool is_plain_conversion_failure() {
    return PyErr_ExceptionMatches(PyExc_TypeError) || PyErr_ExceptionMatches(PyExc_ValueError) ||
           PyErr_ExceptionMatches(PyExc_OverflowError);
}

}  // namespace

BufferSpan::BufferSpan(py::handle object, const char* argument_name) {
    if (PyObject_GetBuffer(object.ptr(), &view_, PyBUF_STRIDES | PyBUF_FORMAT) != 0) throw py::error_already_set();
    if (format_holds_objects(view_.format)) {
        const std::string format = view_.format;
        PyBuffer_Release(&view_);
        throw py::type_error(std::string(argument_name) + " holds Python objects (buffer format '" + format +
                             "'), not numbers: pass an array of numbers, for example numpy.float32");
    }
    // Checked, since a zero-strided view may claim far more items than memory holds.
    size_t length = size_t(view_.itemsize);
    for (int axis = 0; axis < view_.ndim && length != 0; ++axis) {
        const size_t extent = size_t(view_.shape[axis]);
        length = extent != 0 && length > SIZE_MAX / extent ? SIZE_MAX : length * extent;
        if (extent == 0) length = 0;
    }
    // A compliant exporter has len equal to that product; never trust a larger one.
    // (Only for packed views: a strided view is packed item by item from its shape.)
    if (view_.len >= 0 && length > size_t(view_.len) && PyBuffer_IsContiguous(&view_, 'C')) length = size_t(view_.len);
    byte_length_ = length;
}

BufferSpan::~BufferSpan() { PyBuffer_Release(&view_); }

const void* BufferSpan::data(size_t alignment) {
    if (packed_) return packed_.get();
    const bool aligned = reinterpret_cast<uintptr_t>(view_.buf) % alignment == 0;
    const bool contiguous = PyBuffer_IsContiguous(&view_, 'C') != 0;
    if (byte_length_ == 0 || (aligned && contiguous)) return view_.buf;

    packed_ = glb::allocate_input_copy(byte_length_);  // malloc aligns for every scalar type
    if (contiguous || view_.ndim == 0) {
        std::memcpy(packed_.get(), view_.buf, byte_length_);
    } else {
        uint8_t* destination = packed_.get();
        pack_axis(view_, 0, static_cast<const uint8_t*>(view_.buf), destination);
    }
    return packed_.get();
}

std::pair<const void*, size_t> BufferSpan::extent() const {
    if (byte_length_ == 0 || view_.buf == nullptr) return {view_.buf, 0};
    if (view_.strides == nullptr || PyBuffer_IsContiguous(&view_, 'C')) return {view_.buf, byte_length_};
    Py_ssize_t low = 0;
    Py_ssize_t high = view_.itemsize;
    for (int axis = 0; axis < view_.ndim; ++axis) {
        const Py_ssize_t reach = (view_.shape[axis] - 1) * view_.strides[axis];
        (reach < 0 ? low : high) += reach;
    }
    return {static_cast<const uint8_t*>(view_.buf) + low, size_t(high - low)};
}

std::optional<double> convert_number(py::handle value) {
    const double number = PyFloat_AsDouble(value.ptr());
    if (number == -1.0 && PyErr_Occurred()) {
        if (!is_plain_conversion_failure()) throw py::error_already_set();
        PyErr_Clear();
        return std::nullopt;
    }
    return number;
}

void throw_cast_error(py::handle item) {
    throw py::cast_error("Unable to cast Python instance of type " + py::str(py::type::handle_of(item)).cast<std::string>() +
                         " to C++ type '?' (#define PYBIND11_DETAILED_ERROR_MESSAGES or compile in debug mode for details)");
}

bool py::detail::type_caster<Flag>::load(handle source, bool) {
    if (source.ptr() == Py_True || source.ptr() == Py_False || source.is_none()) {
        value.value = source.ptr() == Py_True;
        return true;
    }
    const PyNumberMethods* number = Py_TYPE(source.ptr())->tp_as_number;
    if (number == nullptr || number->nb_bool == nullptr) return false;
    const int truth = number->nb_bool(source.ptr());
    if (truth < 0) {
        if (!is_plain_conversion_failure()) throw error_already_set();
        PyErr_Clear();
        return false;
    }
    value.value = truth != 0;
    return true;
}

py::bytes new_bytes(size_t size, bool huge_pages) {
    PyObject* bytes = PyBytes_FromStringAndSize(nullptr, py::ssize_t(size));
    if (bytes == nullptr) {
        PyErr_Clear();
        throw std::runtime_error("Could not allocate bytes object!");
    }
    if (huge_pages) glb::advise_huge_pages(PyBytes_AS_STRING(bytes), size);  // before the first touch of its fresh pages
    return py::reinterpret_steal<py::bytes>(bytes);
}

namespace {

const char* raw_argument_name(glb::Field field) {
    switch (field) {
        case glb::Field::box_minimum: return "vmin";
        case glb::Field::box_maximum: return "vmax";
        case glb::Field::box: return "bounds";
        case glb::Field::base_color: return "base_color";
        default: return glb::field_text(field);
    }
}

}  // namespace

void raise_raw_input_error(const glb::InputError& error) {
    const std::string name = raw_argument_name(error.field);
    switch (error.problem) {
        case glb::Problem::not_finite:
            if (error.field == glb::Field::metallic || error.field == glb::Field::roughness)
                throw py::value_error(name + " must be a finite number, not NaN or infinity");
            throw py::value_error(name + " must hold finite numbers only, not NaN or infinity");
        case glb::Problem::too_few:  // types shorter than the atoms
            throw py::value_error("types holds " + std::to_string(error.count) + " 16-bit type ids, but positions holds " +
                                  std::to_string(error.limit) + " atoms");
        default:
            throw py::value_error(error.what());
    }
}

namespace {

// The element type of a struct-module format: native or little-endian byte
// order, one of the core's element types.
glb::ElementType element_type_of(const char* format, size_t item_size, const char* name) {
    const char* code = format;
    const bool big_endian = *code == '>' || *code == '!';
    if (*code == '@' || *code == '=' || *code == '<' || big_endian) ++code;
    const bool single = code[0] != '\0' && code[1] == '\0';
    if (single && !big_endian) {
        switch (*code) {
            case 'f': return glb::ElementType::float32;
            case 'd': return glb::ElementType::float64;
            case 'b': return glb::ElementType::int8;
            case 'B': return glb::ElementType::uint8;
            case 'h': return glb::ElementType::int16;
            case 'H': return glb::ElementType::uint16;
            case 'i':
            case 'l':
            case 'q':
            case 'n':
                return item_size == 8 ? glb::ElementType::int64 : item_size == 4 ? glb::ElementType::int32 : glb::ElementType::int16;
            case 'I':
            case 'L':
            case 'Q':
            case 'N':
                return item_size == 8 ? glb::ElementType::uint64 : item_size == 4 ? glb::ElementType::uint32 : glb::ElementType::uint16;
            default: break;
        }
    }
    throw py::type_error(std::string(name) + " must be numbers the core reads (float32, float64 or integers in "
                         "native byte order), not buffer format '" + format + "'");
}

}  // namespace

TypedBuffer::TypedBuffer(py::handle object, const char* name) : span_(object, name) {
    type_ = element_type_of(span_.format(), span_.item_size(), name);
}
