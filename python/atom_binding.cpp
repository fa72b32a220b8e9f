#include "bindings.h"
#include "conversions.h"

namespace {

py::bytes py_atom_glb(const py::buffer& positions, const py::buffer& types, const py::sequence& vmin,
                      const py::sequence& vmax) {
    BufferSpan position_span = buffer_span(positions, "positions");
    BufferSpan type_span = buffer_span(types, "types");
    glb::RawAtomCloud input;
    input.bounds = read_bounds(vmin, vmax);
    input.atom_count = position_span.byte_length() / (3 * sizeof(float));
    input.type_count = type_span.byte_length() / sizeof(uint16_t);  // any item format: 16-bit units
    try {
        // Every refusal comes before any input is packed or the result allocated.
        glb::check_input(input);
        if (input.atom_count != 0) {
            input.positions = static_cast<const float*>(position_span.data(alignof(float)));
            input.types = static_cast<const uint16_t*>(type_span.data(alignof(uint16_t)));
        }
        const glb::GlbPlan plan = glb::plan_glb(input);
        return bytes_of_plan(plan, true, [&](uint8_t* file) { glb::write_glb(file, plan, input); });
    } catch (const glb::InputError& error) {
        raise_raw_input_error(error);
    }
}

}  // namespace

void register_atom_glb(py::module_& module) {
    module.def("atom_glb", &py_atom_glb, py::arg("positions"), py::arg("types"), py::arg("vmin"), py::arg("vmax"));
}
