// spatial_assembler._core: the core's scenes for the Python package, which
// hands over each part as its kind and a dict of its options, named as the
// package's functions name them, with arrays as numpy holds them (any dtype the
// core reads, in native byte order). Each option is read here once, by its
// name; the core checks every value, and its refusals become ValueError and
// TypeError in the package's words. Not a public interface: the package's
// functions are.
#include <pybind11/pybind11.h>

#include <array>
#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chemistry_binding.h"
#include "chemistry/elements.h"
#include "conversions.h"
#include "glb_assembler.h"
#include "package_errors.h"
#include "parallel/parallel.h"
#include "tiles_binding.h"

namespace {

using glb::Field;

// The caller's buffer for the file (out=): writable and C-contiguous; TypeError
// naming out otherwise. It is exported once, as a memoryview that the call
// writes into and returns a view of (an exporter may hand out other memory
// when it is asked again).
class OutputBuffer {
public:
    explicit OutputBuffer(py::handle object) {
        PyObject* view = PyMemoryView_FromObject(object.ptr());
        if (view == nullptr) {
            PyErr_Clear();
            throw py::type_error(std::string("out must be a writable buffer (a bytearray, a numpy array, an mmap), not ") +
                                 Py_TYPE(object.ptr())->tp_name);
        }
        view_ = py::reinterpret_steal<py::object>(view);
        const Py_buffer* buffer = PyMemoryView_GET_BUFFER(view);
        if (buffer->readonly)
            throw py::type_error(std::string("out must be writable, but this ") + Py_TYPE(object.ptr())->tp_name +
                                 " is read-only");
        if (!PyBuffer_IsContiguous(buffer, 'C'))
            throw py::type_error("out must be C-contiguous: the file is written as one block of bytes");
        data_ = static_cast<uint8_t*>(buffer->buf);
        size_ = uint64_t(buffer->len);
    }

    uint8_t* data() const { return data_; }
    uint64_t size() const { return size_; }

    // A memoryview of the file's `size` bytes at the start of out, as unsigned bytes.
    py::object file_view(size_t size) const { return view_.attr("cast")("B")[py::slice(0, py::ssize_t(size), 1)]; }

private:
    py::object view_;
    uint8_t* data_ = nullptr;
    uint64_t size_ = 0;
};

// The package's scratch memory, kept between calls: calls that come seconds
// apart then find their memory mapped (release_memory() frees it).
glb::ScratchReserve& kept_memory() {
    static glb::ScratchReserve reserve;
    return reserve;
}

// ---------------------------------------------------------------------------
// The options of a part, read by name.

// What a call holds while it runs: the buffers of its arrays (packed once every
// check has passed), and the caller's memory each came from.
struct CallInputs {
    std::deque<TypedBuffer> buffers;
    std::vector<std::pair<TypedBuffer*, glb::ArrayView*>> views;
    std::vector<glb::InputMemory> origins;

    void pack() {
        for (auto& [buffer, view] : views) view->data = buffer->data();
    }
};

class OptionReader {
public:
    OptionReader(const py::dict& options, CallInputs& inputs) : options_(options), inputs_(inputs) {
        const py::object originals = value("origins");
        if (!originals.is_none()) origins_ = py::reinterpret_borrow<py::dict>(originals);
    }

    // The option's value; None when left out.
    py::object value(const char* name) const {
        PyObject* item = PyDict_GetItemString(options_.ptr(), name);
        return item == nullptr ? py::none() : py::reinterpret_borrow<py::object>(item);
    }

    void array(glb::ArrayView& view, const char* name, Field field) {
        const py::object given = value(name);
        if (given.is_none()) return;
        TypedBuffer& buffer = inputs_.buffers.emplace_back(given, name);
        view = buffer.counted();
        inputs_.views.emplace_back(&buffer, &view);
        remember_origin(buffer, name, field);
    }

    void colors(glb::ColorRows& colors, const char* name, Field field = Field::colors) {
        const py::object given = value(name);
        if (given.is_none()) return;
        TypedBuffer& buffer = inputs_.buffers.emplace_back(given, name);
        colors.values = buffer.counted();
        colors.components = uint32_t(buffer.row_width());
        inputs_.views.emplace_back(&buffer, &colors.values);
        remember_origin(buffer, name, field);
    }

    double number(const char* name, double fallback) const {
        const py::object given = value(name);
        if (given.is_none()) return fallback;
        const std::optional<double> number = convert_number(given);
        if (!number) throw py::type_error(std::string(name) + " must be a number, not " + type_name(given));
        return *number;
    }

    bool flag(const char* name, bool fallback) const {
        const py::object given = value(name);
        if (given.is_none()) return fallback;
        // numpy's bool_ too; nothing else is read as true or false ("no" is not False).
        if (PyBool_Check(given.ptr()) || type_name(given) == "numpy.bool")
            return PyObject_IsTrue(given.ptr()) == 1;
        throw py::type_error(std::string(name) + " must be True or False, not " + text_of(given));
    }

    // Item `index` of a sequence of three flags (or one flag for all); fallback when left out.
    bool flag_at(const char* name, size_t index, bool fallback) const {
        const py::object given = value(name);
        if (given.is_none()) return fallback;
        if (PyBool_Check(given.ptr())) return given.ptr() == Py_True;
        const py::sequence flags = py::reinterpret_borrow<py::sequence>(given);
        const py::object item = flags[index];
        if (!PyBool_Check(item.ptr()) && type_name(item) != "numpy.bool")
            throw py::type_error(std::string(name) + " must be True or False, or three of them, not " + text_of(given));
        return PyObject_IsTrue(item.ptr()) == 1;
    }

    // A choice by its name, as the core spells the choices.
    template <typename Named>
    auto choice(const char* name, Field field, const char* fallback, Named named) const -> decltype(named("")) {
        const py::object given = value(name);
        if (given.is_none() && fallback != nullptr) return named(fallback);
        if (!PyUnicode_Check(given.ptr()))
            throw py::type_error(std::string(name) + " must be " + glb::choices_of(field) + ", not " + text_of(given));
        return named(given.cast<std::string>());
    }

    bool numbers(const char* name, double* out, size_t count) const {
        const py::object given = value(name);
        if (given.is_none()) return false;
        const py::sequence sequence = py::reinterpret_borrow<py::sequence>(given);
        if (size_t(py::len(sequence)) != count)
            throw py::value_error(std::string(name) + " must be " + std::to_string(count) + " numbers");
        for (size_t i = 0; i < count; ++i) {
            const std::optional<double> number = convert_number(sequence[i]);
            if (!number) throw py::type_error(std::string(name) + " must be numbers");
            out[i] = *number;
        }
        return true;
    }

    std::string text(const char* name) const {
        const py::object given = value(name);
        if (given.is_none()) return "";
        if (!PyUnicode_Check(given.ptr())) throw py::type_error(std::string(name) + " must be a str, not " + type_name(given));
        return given.cast<std::string>();
    }

private:
    static std::string type_name(const py::handle value) {
        const py::handle type = py::type::handle_of(value);
        const std::string module = py::str(type.attr("__module__"));
        const std::string name = py::str(type.attr("__qualname__"));
        return module == "builtins" ? name : module + "." + name;
    }
    static std::string text_of(const py::handle value) { return py::repr(value).cast<std::string>(); }

    // The caller's memory of an input: that of the array it gave, when the
    // package converted it (origins), else the buffer's own.
    void remember_origin(const TypedBuffer& buffer, const char* name, Field field) {
        std::pair<const void*, size_t> extent = buffer.extent();
        if (origins_) {
            PyObject* original = PyDict_GetItemString(origins_->ptr(), name);
            if (original != nullptr && PyObject_CheckBuffer(original)) extent = BufferSpan(original, name).extent();
        }
        inputs_.origins.push_back(glb::InputMemory{extent.first, extent.second, field});
    }

    const py::dict& options_;
    CallInputs& inputs_;
    std::optional<py::dict> origins_;
};

// One line per option of each kind of part: the name as the package's
// functions spell it, and where it goes.

void read(OptionReader& o, glb::PointCloud& part) {
    o.array(part.positions, "positions", Field::positions);
    o.colors(part.colors, "colors");
}

void read(OptionReader& o, glb::AtomCloud& part) {
    o.array(part.positions, "positions", Field::positions);
    o.array(part.types, "types", Field::types);
    o.array(part.atomic_numbers, "elements", Field::atomic_numbers);
    double box[6];
    if ((part.has_box = o.numbers("bounds", box, 6))) part.box = glb::Bounds3{{box[0], box[1], box[2]}, {box[3], box[4], box[5]}};
    part.style = o.choice("style", Field::style, "points", glb::style_named);
    part.has_radius = !o.value("radius").is_none();
    part.radius = o.number("radius", 0);
    o.array(part.radii, "radii", Field::radii);
    o.array(part.bonds, "bonds", Field::bonds);
    o.array(part.bond_shifts, "bond_shifts", Field::bond_shifts);
    part.bond_search = o.choice("bond_search", Field::bonds, "off", [](std::string_view name) {
        return name == "on" ? glb::BondSearch::on : name == "automatic" ? glb::BondSearch::automatic : glb::BondSearch::off;
    });
    part.has_cell = o.numbers("cell", part.cell, 9);
    for (size_t axis = 0; axis < 3; ++axis) part.periodic[axis] = o.flag_at("pbc", axis, true);
    part.instancing = o.flag("instancing", true);
    o.colors(part.palette, "palette", Field::palette);
    o.colors(part.colors, "colors");
    o.array(part.values, "values", Field::values);
    if (PyUnicode_Check(o.value("cmap").ptr())) part.colormap = o.value("cmap").cast<std::string>();
    o.colors(part.colormap_colors, "cmap_colors", Field::colormap_colors);
    part.has_vmin = !o.value("vmin").is_none();
    part.vmin = o.number("vmin", 0);
    part.has_vmax = !o.value("vmax").is_none();
    part.vmax = o.number("vmax", 0);
}

void read(OptionReader& o, glb::TriangleMesh& part) {
    o.array(part.positions, "positions", Field::positions);
    o.array(part.faces, "faces", Field::indices);
    if (PyUnicode_Check(o.value("normals").ptr()) || o.value("normals").is_none())
        part.normals_mode = o.choice("normals", Field::normals, "auto", glb::normals_named);
    else
        o.array(part.normals, "normals", Field::normals);
    part.crease_angle = o.number("crease_angle", 30);
    o.colors(part.colors, "colors");
    o.array(part.uv, "uv", Field::uv);
    o.array(part.texture, "texture", Field::texture);
    part.has_base_color = o.numbers("base_color", part.base_color, 4);
    part.metallic = o.number("metallic", 0);
    part.roughness = o.number("roughness", 0.5);
    o.numbers("emissive", part.emissive, 3);
    part.double_sided = o.flag("double_sided", true);
}

void read(OptionReader& o, glb::LineSet& part) {
    o.array(part.positions, "positions", Field::positions);
    o.array(part.segments, "segments", Field::segments);
    o.colors(part.colors, "colors");
    part.has_color = o.numbers("color", part.color, 4);
}

// A part of kind `kind` from its options, into scene.parts (whose capacity is reserved).
void read_part(glb::Scene& scene, const std::string& kind, const py::dict& options, CallInputs& inputs,
               glb::Encoding encoding) {
    OptionReader o(options, inputs);
    glb::ScenePart& part = scene.parts.emplace_back();
    part.content = glb::content_of_kind(kind);
    std::visit(
        [&](auto& content) {
            read(o, content);
            content.encoding = o.choice("encoding", Field::encoding, "", [&](std::string_view name) {
                return name.empty() ? encoding : glb::encoding_named(name);
            });
        },
        part.content);
    part.name = o.text("name");
    part.has_transform = o.numbers("transform", part.transform, 16);
}

// The scene of the parts given as (kind, options) pairs.
glb::Scene read_scene(const py::list& parts, CallInputs& inputs, glb::Encoding encoding) {
    glb::Scene scene;
    scene.parts.reserve(parts.size());  // the arrays' views point into the parts: they must not move
    for (const py::handle item : parts) {
        const py::tuple pair = py::reinterpret_borrow<py::tuple>(item);
        read_part(scene, pair[0].cast<std::string>(), py::reinterpret_borrow<py::dict>(pair[1]), inputs, encoding);
    }
    return scene;
}

// The GLB of a scene: check (before any buffer is packed), plan, then one bytes
// object of the planned size, or the caller's out, and the write; the scratch
// memory from the package's reserve. The core's refusals become the package's
// errors; in a scene of several parts they name the part.
py::object glb_of(const py::list& parts, const py::object& encoding, const py::object& out, bool name_parts,
                  double frame_duration) {
    glb::ScratchSession session(&kept_memory());
    std::optional<OutputBuffer> output;
    if (!out.is_none()) output.emplace(out);
    CallInputs inputs;
    glb::Scene scene;
    try {
        // The encoding's name is checked before any part is read; None leaves it out, as for every option.
        if (!encoding.is_none() && !PyUnicode_Check(encoding.ptr()))
            throw py::type_error(std::string("encoding must be ") + glb::choices_of(Field::encoding) + ", not " +
                                 py::repr(encoding).cast<std::string>());
        const glb::Encoding default_encoding =
            glb::encoding_named(encoding.is_none() ? "float32" : encoding.cast<std::string>());
        scene = read_scene(parts, inputs, default_encoding);
        scene.frame_duration = frame_duration;
        glb::check_input(scene);
        if (output) glb::check_output(output->data(), output->size(), 0, inputs.origins);
        inputs.pack();
        const glb::ScenePlan plan = glb::plan_glb(scene);
        if (!output)
            return bytes_of_plan(plan, false, [&](uint8_t* file) { glb::write_glb(file, plan, scene); });
        glb::write_glb_into(output->data(), output->size(), plan, scene, inputs.origins);
        return output->file_view(size_t(plan.file_size));
    } catch (const glb::InputError& error) {
        raise_package_error(error, name_parts ? &scene : nullptr);
    }
}

// Reads a part and runs the core's check of it, without reading its arrays:
// what a scene's methods refuse as they are called.
void check_part(const std::string& kind, const py::dict& options) {
    CallInputs inputs;
    glb::Scene scene;
    scene.parts.reserve(1);
    try {
        read_part(scene, kind, options, inputs, glb::Encoding::float32);
        glb::check_input(scene);
    } catch (const glb::InputError& error) {
        raise_package_error(error, nullptr);
    }
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
        raise_package_error(error, nullptr);
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
    try {
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
            out[i] = glb::atomic_number_at(text, size_t(length), size_t(i));
        }
    } catch (const glb::InputError& error) {
        raise_package_error(error, nullptr);
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
    module.doc() = "The core's scenes, for the spatial_assembler package.";
    module.def("glb", &glb_of, py::arg("parts"), py::arg("encoding"), py::arg("out"), py::arg("name_parts"),
               py::arg("frame_duration") = 0.0);
    module.def("check_part", &check_part, py::arg("kind"), py::arg("options"));
    // One pool of workers for the process: the native module's (each module links its own core).
    if (void* pool = PyCapsule_Import("_spatial_assembler._worker_pool_v1", 0)) glb::use_worker_pool(pool); else PyErr_Clear();
    module.def("release_memory", [] { return kept_memory().release(); });
    module.def("held_memory", [] { return kept_memory().held_bytes(); });
    module.def("atomic_numbers", &atomic_numbers, py::arg("symbols"));
    module.def("atomic_numbers_of_strings", &atomic_numbers_of_strings, py::arg("symbols"));
    module.def("element_table", &element_table);
    module.attr("generator") = glb::kCheckedGenerator;
    register_chemistry(module);
    register_tiles(module);
}
