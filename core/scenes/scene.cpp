// Scenes: parts planned into one document, one node each under the scene.
#include <cmath>
#include <string>

#include "document/builder_support.h"
#include "glb_assembler.h"
#include "inputs/arrays.h"
#include "scenes/parts.h"

namespace glb {

ScenePlan::ScenePlan() = default;
ScenePlan::ScenePlan(ScenePlan&&) noexcept = default;
ScenePlan& ScenePlan::operator=(ScenePlan&&) noexcept = default;
ScenePlan::~ScenePlan() = default;

namespace {

// Runs work on part `index`, naming the part in what it refuses.
template <typename Work>
decltype(auto) for_part(size_t index, Work&& work) {
    try {
        return work();
    } catch (InputError& error) {
        error.part = index;
        throw;
    }
}

bool is_identity(const double* m) {
    for (int i = 0; i < 16; ++i)
        if (m[i] != (i % 5 == 0 ? 1.0 : 0.0)) return false;
    return true;
}

// A node's matrix must be a translation, rotation and scale (what glTF's
// readers decompose it into): finite in float32, last row 0 0 0 1, and its
// columns at right angles to each other.
void check_transform(const double* m) {
    for (size_t i = 0; i < 16; ++i) {
        if (!std::isfinite(m[i])) throw_value_error(Field::transform, Problem::not_finite, i / 4, i % 4, m[i]);
        if (std::isinf(to_float32(m[i]))) throw_value_error(Field::transform, Problem::beyond_float32, i / 4, i % 4, m[i]);
    }
    for (size_t column = 0; column < 4; ++column)
        if (m[12 + column] != (column == 3 ? 1.0 : 0.0))
            throw_value_error(Field::transform, Problem::not_rigid, 3, column, m[12 + column]);
    for (size_t a = 0; a < 3; ++a) {
        for (size_t b = a + 1; b < 3; ++b) {
            double dot = 0, length_a = 0, length_b = 0;
            for (size_t row = 0; row < 3; ++row) {
                dot += m[4 * row + a] * m[4 * row + b];
                length_a += m[4 * row + a] * m[4 * row + a];
                length_b += m[4 * row + b] * m[4 * row + b];
            }
            if (std::fabs(dot) > 1e-6 * std::sqrt(length_a * length_b))
                throw_value_error(Field::transform, Problem::not_rigid, kNoIndex, kNoIndex, dot);
        }
    }
}

const char* content_name(const ScenePart& part) {
    switch (part.content.index()) {
        case 0: return "Points";
        case 1: return "Atoms";
        case 2: return "Mesh";
        default: return "Lines";
    }
}

}  // namespace

void check_input(const Scene& scene) {
    if (scene.parts.empty()) throw_count_error(Field::parts, Problem::empty, 0, 1);
    uint64_t payload = 0;
    for (size_t i = 0; i < scene.parts.size(); ++i) {
        const ScenePart& part = scene.parts[i];
        const uint64_t estimate = for_part(i, [&] {
            if (part.has_transform) check_transform(part.transform);
            return std::visit(
                [](const auto& content) {
                    check_part(content);
                    return payload_estimate(content);
                },
                part.content);
        });
        payload = payload > UINT64_MAX - estimate ? UINT64_MAX : payload + estimate;
    }
    check_payload_size({payload}, 0);
}

ScenePlan plan_glb(const Scene& scene) {
    check_input(scene);
    ScenePlan plan;
    gltf::Document document;
    document.generator = kCheckedGenerator;
    for (size_t i = 0; i < scene.parts.size(); ++i) {
        const ScenePart& part = scene.parts[i];
        PlannedPart planned =
            for_part(i, [&] { return std::visit([&](const auto& content) { return plan_part(document, content); }, part.content); });
        uint32_t shown = planned.root;
        if (part.has_transform && !is_identity(part.transform)) {
            // The part's own nodes may carry a transform (a compact file's): the caller's goes above them.
            gltf::Node holder;
            holder.name = part.name.empty() ? content_name(part) : part.name;
            holder.children = {planned.root};
            holder.has_matrix = true;
            for (int row = 0; row < 4; ++row)
                for (int column = 0; column < 4; ++column) holder.matrix[4 * column + row] = part.transform[4 * row + column];
            shown = document.add(holder);
        } else if (!part.name.empty()) {
            document.nodes[planned.root].name = part.name;
        }
        document.scene_nodes.push_back(shown);
        plan.parts.push_back(std::move(planned.layout));
    }
    static_cast<GlbPlan&>(plan) = make_plan(document);
    return plan;
}

void write_glb(uint8_t* file, const ScenePlan& plan, const Scene&, uint32_t thread_count) {
    write_planned(file, plan, [&](uint8_t* payload) {
        for (size_t i = 0; i < plan.parts.size(); ++i) for_part(i, [&] { plan.parts[i]->write(payload, thread_count); });
    });
}

// ---------------------------------------------------------------------------
// Names of choices.

namespace {

[[noreturn]] void throw_not_a_choice(Field field, std::string_view name) {
    InputError error(field, Problem::not_a_choice,
                     std::string(field_text(field)) + " must be " + choices_of(field) + ", not '" + std::string(name) + "'");
    error.text = std::string(name);
    throw error;
}

}  // namespace

Encoding encoding_named(std::string_view name) {
    if (name == "float32") return Encoding::float32;
    if (name == "compact") return Encoding::compact;
    throw_not_a_choice(Field::encoding, name);
}

AtomStyle style_named(std::string_view name) {
    if (name == "points") return AtomStyle::points;
    if (name == "spheres") return AtomStyle::spheres;
    if (name == "ball-and-stick") return AtomStyle::ball_and_stick;
    throw_not_a_choice(Field::style, name);
}

NormalsMode normals_named(std::string_view name) {
    if (name == "auto") return NormalsMode::creased;
    if (name == "smooth") return NormalsMode::smooth;
    if (name == "flat") return NormalsMode::flat;
    throw_not_a_choice(Field::normals, name);
}

const char* choices_of(Field field) {
    switch (field) {
        case Field::encoding: return "'float32' or 'compact'";
        case Field::style: return "'points', 'spheres' or 'ball-and-stick'";
        case Field::normals: return "'auto', 'smooth' or 'flat', or one normal per vertex";
        default: return "one of its choices";
    }
}

}  // namespace glb
