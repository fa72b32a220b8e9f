// spatial_assembler._core: the checked builders of the core for the Python
// package, which hands over arrays as numpy holds them (any real dtype the core
// reads, in native byte order) and maps the core's refusals to ValueError and
// TypeError in the package's words. Not a public interface: the package's
// functions are.
#include <pybind11/pybind11.h>

#include <array>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

#include "conversions.h"
#include "chemistry/elements.h"
#include "glb_assembler.h"
#include "package_errors.h"
#include "parallel/parallel.h"

namespace {

// A buffer argument as the core reads it: its memory and its element type.
class TypedBuffer {
public:
    TypedBuffer(py::handle object, const char* name) : span_(object, name), name_(name) {
        type_ = element_type_of(span_.format(), span_.item_size());
    }

    // Its count and type, with no memory: for the checks that come before any packing.
    glb::ArrayView counted() const {
        return glb::ArrayView{nullptr, span_.byte_length() / glb::element_size(type_), type_};
    }
    // Its memory, packed first when it is strided or not aligned.
    const void* data() { return span_.data(glb::element_size(type_)); }
    // The memory the caller's buffer spans.
    std::pair<const void*, size_t> extent() const { return span_.extent(); }

private:
    // The element type of a struct-module format: native or little-endian byte
    // order, one of the core's element types.
    glb::ElementType element_type_of(const char* format, size_t item_size) const {
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
        throw py::type_error(std::string(name_) + " must be numbers the core reads (float32, float64 or integers in "
                             "native byte order), not buffer format '" + format + "'");
    }

    BufferSpan span_;
    const char* name_;
    glb::ElementType type_ = glb::ElementType::float32;
};

// The caller's buffer for the file (out=): writable and C-contiguous, held
// until the file is written; TypeError naming out otherwise.
class OutputBuffer {
public:
    explicit OutputBuffer(py::handle object) : object_(object) {
        if (PyObject_GetBuffer(object.ptr(), &view_, PyBUF_STRIDES | PyBUF_FORMAT) != 0) {
            PyErr_Clear();
            throw py::type_error(std::string("out must be a writable buffer (a bytearray, a numpy array, an mmap), not ") +
                                 Py_TYPE(object.ptr())->tp_name);
        }
        held_ = true;
        if (view_.readonly)
            throw py::type_error(std::string("out must be writable, but this ") + Py_TYPE(object.ptr())->tp_name +
                                 " is read-only");
        if (!PyBuffer_IsContiguous(&view_, 'C'))
            throw py::type_error("out must be C-contiguous: the file is written as one block of bytes");
    }
    ~OutputBuffer() {
        if (held_) PyBuffer_Release(&view_);
    }
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    uint8_t* data() const { return static_cast<uint8_t*>(view_.buf); }
    uint64_t size() const { return uint64_t(view_.len); }

    // A memoryview of the first `size` bytes of out, as unsigned bytes.
    py::object file_view(size_t size) const {
        const py::object view = py::reinterpret_steal<py::object>(PyMemoryView_FromObject(object_.ptr()));
        if (!view) throw py::error_already_set();
        return view.attr("cast")("B")[py::slice(0, py::ssize_t(size), 1)];
    }

private:
    py::handle object_;
    Py_buffer view_{};
    bool held_ = false;
};

// The package's scratch memory, kept between calls: calls that come seconds
// apart then find their memory mapped (release_memory() frees it).
glb::ScratchReserve& kept_memory() {
    static glb::ScratchReserve reserve;
    return reserve;
}

glb::Encoding encoding_of(const std::string& name) {
    if (name == "float32") return glb::Encoding::float32;
    if (name == "compact") return glb::Encoding::compact;
    throw py::value_error("encoding must be 'float32' or 'compact', not '" + name + "'");
}

glb::AtomStyle style_of(const std::string& name) {
    if (name == "points") return glb::AtomStyle::points;
    if (name == "spheres") return glb::AtomStyle::spheres;
    if (name == "ball-and-stick") return glb::AtomStyle::ball_and_stick;
    throw py::value_error("style must be 'points', 'spheres' or 'ball-and-stick', not '" + name + "'");
}

// The arguments whose memory the write reads, each with its field.
using InputSpans = std::initializer_list<std::pair<const TypedBuffer*, glb::Field>>;

// The GLB of a checked record: check (before any buffer is packed), plan, then
// one bytes object of the planned size, or the caller's out, and the write; the
// scratch memory from the package's reserve. The core's refusals become the
// package's errors.
template <typename Input, typename Pack>
py::object build(Input& input, const py::object& out, InputSpans inputs, Pack&& pack) {
    glb::ScratchSession session(&kept_memory());
    std::optional<OutputBuffer> output;
    if (!out.is_none()) output.emplace(out);
    try {
        glb::check_input(input);
        if (output) {
            for (const auto& [buffer, field] : inputs) {
                if (buffer == nullptr) continue;
                const auto [memory, length] = buffer->extent();
                glb::check_output_apart(output->data(), output->size(), memory, length, field);
            }
        }
        pack(input);
        const auto plan = glb::plan_glb(input);
        if (!output) return bytes_of_plan(plan, false, [&](uint8_t* file) { glb::write_glb(file, plan, input); });
        glb::check_output_room(output->size(), plan.file_size);
        glb::write_glb(output->data(), plan, input);
        return output->file_view(size_t(plan.file_size));
    } catch (const glb::InputError& error) {
        raise_package_error(error);
    }
}

std::optional<TypedBuffer> optional_buffer(const py::object& object, const char* name) {
    if (object.is_none()) return std::nullopt;
    return std::optional<TypedBuffer>(std::in_place, object, name);
}

glb::ArrayView counted(const std::optional<TypedBuffer>& buffer) { return buffer ? buffer->counted() : glb::ArrayView{}; }

const TypedBuffer* given(const std::optional<TypedBuffer>& buffer) { return buffer ? &*buffer : nullptr; }

void pack(glb::ArrayView& view, std::optional<TypedBuffer>& buffer) {
    if (buffer) view.data = buffer->data();
}

py::object point_cloud(const py::buffer& positions, const py::object& colors, unsigned color_components,
                       const std::string& encoding, const py::object& out) {
    TypedBuffer position_buffer(positions, "positions");
    std::optional<TypedBuffer> color_buffer = optional_buffer(colors, "colors");
    glb::PointCloud input;
    input.encoding = encoding_of(encoding);
    input.colors.components = color_components;
    input.positions = position_buffer.counted();
    input.colors.values = counted(color_buffer);
    const InputSpans inputs{{&position_buffer, glb::Field::positions}, {given(color_buffer), glb::Field::colors}};
    return build(input, out, inputs, [&](glb::PointCloud& checked) {
        checked.positions.data = position_buffer.data();
        pack(checked.colors.values, color_buffer);
    });
}

py::object atoms(const py::buffer& positions, const py::object& types, const py::object& atomic_numbers,
                 const py::object& box, const std::string& style, const py::object& radius, const py::object& radii,
                 const py::object& bonds, bool instancing, const std::string& encoding, const py::object& out) {
    TypedBuffer position_buffer(positions, "positions");
    std::optional<TypedBuffer> type_buffer = optional_buffer(types, "types");
    std::optional<TypedBuffer> number_buffer = optional_buffer(atomic_numbers, "elements");
    std::optional<TypedBuffer> radius_buffer = optional_buffer(radii, "radii");
    std::optional<TypedBuffer> bond_buffer = optional_buffer(bonds, "bonds");
    glb::AtomCloud input;
    input.style = style_of(style);
    input.encoding = encoding_of(encoding);
    input.instancing = instancing;
    if (!radius.is_none()) {
        input.has_radius = true;
        input.radius = py::cast<double>(radius);
    }
    if (!box.is_none()) {
        const std::array<double, 6> numbers = read_numbers<6>(py::reinterpret_borrow<py::sequence>(box));
        input.has_box = true;
        input.box = glb::Bounds3{{numbers[0], numbers[1], numbers[2]}, {numbers[3], numbers[4], numbers[5]}};
    }
    input.positions = position_buffer.counted();
    input.types = counted(type_buffer);
    input.atomic_numbers = counted(number_buffer);
    input.radii = counted(radius_buffer);
    input.bonds = counted(bond_buffer);
    const InputSpans inputs{{&position_buffer, glb::Field::positions}, {given(type_buffer), glb::Field::types},
                            {given(number_buffer), glb::Field::atomic_numbers}, {given(radius_buffer), glb::Field::radii},
                            {given(bond_buffer), glb::Field::bonds}};
    return build(input, out, inputs, [&](glb::AtomCloud& checked) {
        checked.positions.data = position_buffer.data();
        pack(checked.types, type_buffer);
        pack(checked.atomic_numbers, number_buffer);
        pack(checked.radii, radius_buffer);
        pack(checked.bonds, bond_buffer);
    });
}

py::object mesh(const py::buffer& positions, const py::buffer& faces, const py::object& normals,
                const py::object& colors, unsigned color_components, const py::object& base_color, double metallic,
                double roughness, const py::sequence& emissive, bool double_sided, const std::string& encoding,
                const py::object& out) {
    TypedBuffer position_buffer(positions, "positions");
    TypedBuffer face_buffer(faces, "faces");
    std::optional<TypedBuffer> normal_buffer = optional_buffer(normals, "normals");
    std::optional<TypedBuffer> color_buffer = optional_buffer(colors, "colors");
    glb::TriangleMesh input;
    input.encoding = encoding_of(encoding);
    input.colors.components = color_components;
    if (!base_color.is_none()) {
        const std::array<double, 4> numbers = read_numbers<4>(py::reinterpret_borrow<py::sequence>(base_color));
        input.has_base_color = true;
        std::memcpy(input.base_color, numbers.data(), sizeof input.base_color);
    }
    input.metallic = metallic;
    input.roughness = roughness;
    const std::array<double, 3> glow = read_numbers<3>(emissive);
    std::memcpy(input.emissive, glow.data(), sizeof input.emissive);
    input.double_sided = double_sided;
    input.positions = position_buffer.counted();
    input.faces = face_buffer.counted();
    input.normals = counted(normal_buffer);
    input.colors.values = counted(color_buffer);
    const InputSpans inputs{{&position_buffer, glb::Field::positions}, {&face_buffer, glb::Field::indices},
                            {given(normal_buffer), glb::Field::normals}, {given(color_buffer), glb::Field::colors}};
    return build(input, out, inputs, [&](glb::TriangleMesh& checked) {
        checked.positions.data = position_buffer.data();
        checked.faces.data = face_buffer.data();
        pack(checked.normals, normal_buffer);
        pack(checked.colors.values, color_buffer);
    });
}

// Atomic numbers of element symbols in a numpy 'U' or 'S' array, as uint8 bytes.
py::bytes atomic_numbers(const py::buffer& symbols) {
    BufferSpan span(symbols, "elements");
    const char* format = span.format();
    while (*format >= '0' && *format <= '9') ++format;
    glb::SymbolEncoding encoding;
    if (*format == 'w') {
        encoding = glb::SymbolEncoding::ucs4;
    } else if (*format == 's') {
        encoding = glb::SymbolEncoding::bytes;
    } else {
        throw py::type_error(std::string("elements must be strings, not buffer format '") + span.format() + "'");
    }
    const size_t record = span.item_size();
    const size_t count = record == 0 ? 0 : span.byte_length() / record;
    py::bytes numbers = new_bytes(count);
    try {
        glb::atomic_numbers_of_records(reinterpret_cast<uint8_t*>(PyBytes_AS_STRING(numbers.ptr())), span.data(4), count,
                                       record, encoding);
    } catch (const glb::InputError& error) {
        raise_package_error(error);
    }
    return numbers;
}

// Atomic numbers of element symbols in a list or tuple of str (or bytes), as uint8
// bytes: read in place, without making an array of them first.
py::bytes atomic_numbers_of_strings(const py::sequence& symbols) {
    const py::object items = py::reinterpret_steal<py::object>(PySequence_Fast(symbols.ptr(), "elements must be a sequence"));
    if (!items) throw py::error_already_set();
    const Py_ssize_t count = PySequence_Fast_GET_SIZE(items.ptr());
    PyObject** item = PySequence_Fast_ITEMS(items.ptr());
    py::bytes numbers = new_bytes(size_t(count));
    uint8_t* out = reinterpret_cast<uint8_t*>(PyBytes_AS_STRING(numbers.ptr()));
    for (Py_ssize_t i = 0; i < count; ++i) {
        const char* text = nullptr;
        Py_ssize_t length = 0;
        if (PyUnicode_Check(item[i])) {
            text = PyUnicode_AsUTF8AndSize(item[i], &length);
            if (text == nullptr) throw py::error_already_set();
        } else if (PyBytes_Check(item[i])) {
            text = PyBytes_AS_STRING(item[i]);
            length = PyBytes_GET_SIZE(item[i]);
        } else {
            throw py::type_error("elements must be atomic numbers (integers) or symbols (strings), but row " +
                                 std::to_string(i) + " holds a " + std::string(Py_TYPE(item[i])->tp_name));
        }
        const int number = glb::atomic_number_of(text, size_t(length));
        if (number < 0) {
            glb::InputError error(glb::Field::atomic_numbers, glb::Problem::not_an_element, std::string(text, size_t(length)));
            error.row = size_t(i);
            error.text = std::string(text, size_t(length));
            raise_package_error(error);
        }
        out[i] = uint8_t(number);
    }
    return numbers;
}

// (symbols, palette rows, covalent radii) by atomic number.
py::tuple element_table() {
    py::tuple symbols(glb::kElementCount);
    py::bytes rows = new_bytes(glb::kElementCount);
    py::list radii(glb::kElementCount);
    for (uint32_t z = 0; z < glb::kElementCount; ++z) {
        symbols[z] = py::str(glb::element_symbol(z));
        PyBytes_AS_STRING(rows.ptr())[z] = char(glb::element_palette_row(z));
        radii[z] = py::float_(double(glb::covalent_radius(z)));
    }
    return py::make_tuple(symbols, rows, radii);
}

}  // namespace

PYBIND11_MODULE(_core, module) {
    module.doc() = "The checked builders of the GLB core, for the spatial_assembler package.";
    // One pool of workers for the process: the native module's (each module links its own core).
    if (void* pool = PyCapsule_Import("_spatial_assembler._worker_pool_v1", 0)) glb::use_worker_pool(pool); else PyErr_Clear();
    module.def("point_cloud", &point_cloud, py::arg("positions"), py::arg("colors"), py::arg("color_components"),
               py::arg("encoding"), py::arg("out"));
    module.def("atoms", &atoms, py::arg("positions"), py::arg("types"), py::arg("atomic_numbers"), py::arg("box"),
               py::arg("style"), py::arg("radius"), py::arg("radii"), py::arg("bonds"), py::arg("instancing"),
               py::arg("encoding"), py::arg("out"));
    module.def("mesh", &mesh, py::arg("positions"), py::arg("faces"), py::arg("normals"), py::arg("colors"),
               py::arg("color_components"), py::arg("base_color"), py::arg("metallic"), py::arg("roughness"),
               py::arg("emissive"), py::arg("double_sided"), py::arg("encoding"), py::arg("out"));
    module.def("release_memory", [] { return kept_memory().release(); });
    module.def("held_memory", [] { return kept_memory().held_bytes(); });
    module.def("atomic_numbers", &atomic_numbers, py::arg("symbols"));
    module.def("atomic_numbers_of_strings", &atomic_numbers_of_strings, py::arg("symbols"));
    module.def("element_table", &element_table);
}
