#include "bindings.h"
#include "conversions.h"

namespace {

py::bytes py_point_cloud_glb(const py::buffer& positions, const py::buffer& colors, const py::sequence& vmin,
                             const py::sequence& vmax) {
    BufferSpan position_span = buffer_span(positions, "positions");
    BufferSpan color_span = buffer_span(colors, "colors");
    const glb::Bounds3 bounds = read_bounds(vmin, vmax);
    // Every refusal comes before any input is packed or the result allocated.
    glb::check_point_cloud_inputs(position_span.byte_length() / sizeof(float), color_span.byte_length() / sizeof(float),
                                  bounds);

    BytesOutput result;
    glb::build_point_cloud_glb(result, static_cast<const float*>(position_span.data(alignof(float))),
                               position_span.byte_length() / sizeof(float),
                               static_cast<const float*>(color_span.data(alignof(float))),
                               color_span.byte_length() / sizeof(float), bounds);
    return result.release();
}

}  // namespace

void register_point_cloud_glb(py::module_& module) {
    module.def("point_cloud_glb", &py_point_cloud_glb, py::arg("positions"), py::arg("colors"), py::arg("vmin"),
               py::arg("vmax"));
}
