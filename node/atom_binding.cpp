#include "bindings.h"
#include "conversions.h"

namespace {

class AtomJob final : public GlbJob {
public:
    ArrayData positions;
    ArrayData types;
    size_t atom_count = 0;
    glb::Bounds3 bounds{};

    void build(glb::GlbOutput& output) override {
        glb::build_atom_glb(output, static_cast<const float*>(positions.data()), atom_count,
                            static_cast<const uint16_t*>(types.data()), bounds);
    }
};

// atomGlb(positions, types, vmin, vmax)
std::unique_ptr<GlbJob> read_atom_glb(const Napi::CallbackInfo& info, InputMode mode) {
    const ArrayArgument positions(info[0], {"positions"}, ElementType::float32);
    const ArrayArgument types(info[1], {"types"}, ElementType::uint16);
    const std::array<double, 3> vmin = read_numbers<3>(info[2], {"vmin"});
    const std::array<double, 3> vmax = read_numbers<3>(info[3], {"vmax"});

    auto job = std::make_unique<AtomJob>();
    job->atom_count = positions.byte_length() / 12;
    const size_t type_count = types.byte_length() / 2;
    if (type_count < job->atom_count)
        throw ArgumentError(ArgumentError::Kind::range, "The \"types\" argument holds " + std::to_string(type_count) +
                                                            " 16-bit type ids, but \"positions\" holds " +
                                                            std::to_string(job->atom_count) + " atoms");
    job->bounds = glb::Bounds3{{vmin[0], vmin[1], vmin[2]}, {vmax[0], vmax[1], vmax[2]}};
    if (job->atom_count == 0) return job;  // the documented empty file, whatever the bounds

    // Every refusal comes before any array is copied or the result allocated.
    require_finite(vmin.data(), 3, {"vmin"});
    require_finite(vmax.data(), 3, {"vmax"});
    glb::check_atom_inputs(job->atom_count, job->bounds);
    job->positions = positions.take(mode);
    job->types = types.take(mode);
    return job;
}

}  // namespace

void export_atom_glb(Napi::Env env, Napi::Object exports, Napi::Object promises) {
    export_function(env, exports, promises, "atomGlb", read_atom_glb);
}
