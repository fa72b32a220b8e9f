#include "bindings.h"
#include "conversions.h"

#include <string>

namespace {

py::bytes py_atom_glb(const py::buffer& positions, const py::buffer& types, const py::sequence& vmin,
                      const py::sequence& vmax) {
    BufferSpan position_span = buffer_span(positions, "positions");
    BufferSpan type_span = buffer_span(types, "types");
    const glb::Bounds3 bounds = read_bounds(vmin, vmax);

    const size_t atom_count = position_span.byte_length() / (3 * sizeof(float));
    const size_t type_count = type_span.byte_length() / sizeof(uint16_t);  // any item format: 16-bit units
    if (type_count < atom_count)
        throw py::value_error("types holds " + std::to_string(type_count) + " 16-bit type ids, but positions holds " +
                              std::to_string(atom_count) + " atoms");
    BytesOutput result;
    if (atom_count == 0) {  // the documented empty file, whatever the bounds
        glb::build_atom_glb(result, nullptr, 0, nullptr, bounds);
        return result.release();
    }
    // Every refusal comes before any input is packed or the result allocated.
    glb::check_atom_inputs(atom_count, bounds);

    glb::build_atom_glb(result, static_cast<const float*>(position_span.data(alignof(float))), atom_count,
                        static_cast<const uint16_t*>(type_span.data(alignof(uint16_t))), bounds);
    return result.release();
}

}  // namespace

void register_atom_glb(py::module_& module) {
    module.def("atom_glb", &py_atom_glb, py::arg("positions"), py::arg("types"), py::arg("vmin"), py::arg("vmax"));
}
