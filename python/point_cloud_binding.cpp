#include "bindings.h"
#include "conversions.h"

namespace {

py::bytes py_point_cloud_glb(const py::buffer& positions, const py::buffer& colors, const py::sequence& vmin,
                             const py::sequence& vmax) {
    BufferSpan position_span = buffer_span(positions, "positions");
    BufferSpan color_span = buffer_span(colors, "colors");
    glb::RawPointCloud input;
    input.bounds = read_bounds(vmin, vmax);
    input.position_float_count = position_span.byte_length() / sizeof(float);
    input.color_float_count = color_span.byte_length() / sizeof(float);
    try {
        // Every refusal comes before any input is packed or the result allocated.
        glb::check_input(input);
        input.positions = static_cast<const float*>(position_span.data(alignof(float)));
        input.colors = static_cast<const float*>(color_span.data(alignof(float)));
        const glb::GlbPlan plan = glb::plan_glb(input);
        return bytes_of_plan(plan, true, [&](uint8_t* file) { glb::write_glb(file, plan, input); });
    } catch (const glb::InputError& error) {
        raise_raw_input_error(error);
    }
}

}  // namespace

void register_point_cloud_glb(py::module_& module) {
    module.def("point_cloud_glb", &py_point_cloud_glb, py::arg("positions"), py::arg("colors"), py::arg("vmin"),
               py::arg("vmax"));
}
