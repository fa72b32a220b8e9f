// Scenes: parts planned into one document, one node each under the scene.
#include <cmath>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "document/builder_support.h"
#include "encodings/meshopt_compression.h"
#include "glb_assembler.h"
#include "inputs/arrays.h"
#include "memory/large_memory.h"
#include "parallel/parallel.h"
#include "colors/colormaps.h"
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

// A frame's keyframes: frame 0 shown from 0 to d, frame k from k d to (k + 1) d.
uint64_t keyframe_count(size_t frame) { return frame == 0 ? 2 : 3; }
uint64_t first_keyframe(size_t frame) { return frame == 0 ? 0 : 3 * frame - 1; }

// The keyframe times as the file holds them (float32); each frame's must increase.
float keyframe_time(size_t frame, uint64_t key, double duration) {
    if (frame == 0) return to_float32(double(key) * duration);
    return key == 0 ? 0.0f : to_float32(double(frame + key - 1) * duration);
}

// The scales a frame's node switches between: 1 then 0 for the first frame,
// 0, 1, 0 for the others.
constexpr float kKeyframeScales[15] = {1, 1, 1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0};

void check_frames(const Scene& scene) {
    const double duration = scene.frame_duration;
    const size_t frames = scene.parts.size();
    if (!std::isfinite(duration) || !(duration > 0) ||
        !(keyframe_time(frames - 1, 2, duration) > keyframe_time(frames - 1, 1, duration)) ||
        std::isinf(keyframe_time(frames - 1, 2, duration)))
        throw_value_error(Field::frame_duration, Problem::not_positive, kNoIndex, kNoIndex, duration);
    const auto* first = std::get_if<AtomCloud>(&scene.parts[0].content);
    for (size_t i = 1; i < frames && first != nullptr; ++i) {
        const auto* atoms = std::get_if<AtomCloud>(&scene.parts[i].content);
        if (atoms != nullptr && atoms->positions.count != first->positions.count)
            for_part(i, [&] { throw_count_error(Field::positions, Problem::count_mismatch, atoms->positions.count / 3,
                                                first->positions.count / 3); });
    }
}

// Each frame's node under the scene, and its keyframes.
void add_frames(gltf::Document& document, ScenePlan& plan, const Scene& scene, const std::vector<uint32_t>& shown) {
    using gltf::Accessor;
    const size_t frames = scene.parts.size();
    plan.keyframe_scales_offset = document.reserve(sizeof kKeyframeScales);
    const uint32_t scales_view = document.add(gltf::BufferView{plan.keyframe_scales_offset, sizeof kKeyframeScales, 0, gltf::Target::none});
    Accessor first_scales;
    first_scales.buffer_view = scales_view;
    first_scales.count = 2;
    const uint32_t first_output = document.add(first_scales);
    Accessor other_scales = first_scales;
    other_scales.byte_offset = 24;
    other_scales.count = 3;
    const uint32_t other_output = document.add(other_scales);
    const uint64_t times_bytes = 4 * (first_keyframe(frames - 1) + keyframe_count(frames - 1));
    plan.keyframe_times_offset = document.reserve(times_bytes);
    const uint32_t times_view = document.add(gltf::BufferView{plan.keyframe_times_offset, times_bytes, 0, gltf::Target::none});
    document.scene_nodes.clear();
    for (size_t k = 0; k < frames; ++k) {
        Accessor times;
        times.buffer_view = times_view;
        times.byte_offset = 4 * first_keyframe(k);
        times.count = keyframe_count(k);
        times.type = gltf::AccessorType::scalar;
        times.bounds = gltf::BoundsKind::floats;
        times.min[0] = keyframe_time(k, 0, scene.frame_duration);
        times.max[0] = keyframe_time(k, times.count - 1, scene.frame_duration);
        gltf::Node holder;
        holder.name = scene.parts[k].name.empty() ? "Frame " + std::to_string(k) : scene.parts[k].name;
        holder.children = {shown[k]};
        if (k != 0) {  // hidden until its time: what viewers that play no animation show is the first frame
            holder.has_transform = true;
            for (double& s : holder.scale) s = 0;
        }
        const uint32_t node = document.add(holder);
        document.scene_nodes.push_back(node);
        document.animation.push_back(gltf::AnimationChannel{node, document.add(times), k == 0 ? first_output : other_output});
    }
}

void write_keyframes(uint8_t* payload, const ScenePlan& plan, const Scene& scene) {
    std::memcpy(payload + plan.keyframe_scales_offset, kKeyframeScales, sizeof kKeyframeScales);
    float* times = reinterpret_cast<float*>(payload + plan.keyframe_times_offset);
    for (size_t k = 0; k < scene.parts.size(); ++k)
        for (uint64_t key = 0; key < keyframe_count(k); ++key)
            times[first_keyframe(k) + key] = keyframe_time(k, key, scene.frame_duration);
}

const char* content_name(const ScenePart& part) {
    switch (part.content.index()) {
        case 0: return "Points";
        case 1: return "Atoms";
        case 2: return "Mesh";
        default: return "Lines";
    }
}

// Writes every part: one after the other, each on the threads it takes, or,
// when there are many parts (the frames of a trajectory), several parts at
// once, each on one thread. The first part's refusal is the one that leaves.
void write_parts(uint8_t* payload, const ScenePlan& plan, uint32_t thread_count) {
    const size_t parts = plan.parts.size();
    const uint32_t threads = thread_count != 0 ? thread_count : atom_thread_count(SIZE_MAX);
    if (parts < 2 * size_t(threads)) {
        for (size_t i = 0; i < parts; ++i) for_part(i, [&] { plan.parts[i]->write(payload, thread_count); });
        return;
    }
    // Four ranges a thread, taken one at a time: a thread held back by another
    // program leaves its share to the others.
    std::vector<std::exception_ptr> failures(parts);
    parallel_tasks(parts, threads == 1 ? 1 : 4 * threads, [&](uint32_t, size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            try {
                for_part(i, [&] { plan.parts[i]->write(payload, 1); });
            } catch (...) {
                failures[i] = std::current_exception();
            }
        }
    });
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
}

}  // namespace

void check_input(const Scene& scene) {
    if (scene.parts.empty()) throw_count_error(Field::parts, Problem::empty, 0, 1);
    if (scene.frame_duration != 0) check_frames(scene);
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

namespace {

bool is_compressed(const ScenePart& part) {
    return std::visit([](const auto& content) { return content.encoding == Encoding::meshopt; }, part.content);
}

// The scene with its meshopt parts as compact ones: what the compressed file is made from.
Scene as_compact(const Scene& scene) {
    Scene compact = scene;
    for (ScenePart& part : compact.parts)
        std::visit([](auto& content) {
            if (content.encoding == Encoding::meshopt) content.encoding = Encoding::compact;
        }, part.content);
    return compact;
}

ScenePlan plan_uncompressed(const Scene& scene);

// Plans, writes and compresses the file of a scene with meshopt parts.
ScenePlan plan_compressed(const Scene& given) {
    const Scene scene = as_compact(given);
    ScenePlan plan = plan_uncompressed(scene);
    ScratchArray<uint8_t> payload = allocate_scratch<uint8_t>(size_t(plan.payload_length));
    std::memset(payload.get(), 0, size_t(plan.payload_length));
    write_parts(payload.get(), plan, 0);
    if (scene.frame_duration != 0) write_keyframes(payload.get(), plan, scene);
    gltf::Document& document = *plan.document;
    plan.compressed_payload.resize(size_t(meshopt_payload_bound(document)));
    plan.compressed_payload.resize(size_t(compress_buffer_views(plan.compressed_payload.data(), document, payload.get())));
    static_cast<GlbPlan&>(plan) = make_plan(document);
    plan.parts.clear();  // they point into this function's copy of the scene
    plan.document.reset();
    plan.precompressed = true;
    return plan;
}

}  // namespace

ScenePlan plan_glb(const Scene& scene) {
    check_input(scene);
    for (const ScenePart& part : scene.parts)
        if (is_compressed(part)) return plan_compressed(scene);
    ScenePlan plan = plan_uncompressed(scene);
    plan.document.reset();
    return plan;
}

namespace {

ScenePlan plan_uncompressed(const Scene& scene) {
    ScenePlan plan;
    gltf::Document document;
    document.generator = kCheckedGenerator;
    std::vector<uint32_t> shown_nodes;
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
        shown_nodes.push_back(shown);
        plan.parts.push_back(std::move(planned.layout));
    }
    if (scene.frame_duration != 0) add_frames(document, plan, scene, shown_nodes);
    static_cast<GlbPlan&>(plan) = make_plan(document);
    plan.document = std::make_unique<gltf::Document>(std::move(document));
    return plan;
}

}  // namespace

void write_glb(uint8_t* file, const ScenePlan& plan, const Scene& scene, uint32_t thread_count) {
    if (plan.precompressed) {
        write_planned(file, plan, [&](uint8_t* payload) {
            std::memcpy(payload, plan.compressed_payload.data(), plan.compressed_payload.size());
        });
        return;
    }
    write_planned(file, plan, [&](uint8_t* payload) {
        write_parts(payload, plan, thread_count);
        if (scene.frame_duration != 0) write_keyframes(payload, plan, scene);
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
    if (name == "meshopt") return Encoding::meshopt;
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

ScenePart::Content content_of_kind(std::string_view kind) {
    if (kind == "points") return PointCloud{};
    if (kind == "atoms") return AtomCloud{};
    if (kind == "mesh") return TriangleMesh{};
    if (kind == "lines") return LineSet{};
    throw_not_a_choice(Field::parts, kind);
}

const char* kind_of(const ScenePart& part) {
    static const char* const kinds[] = {"points", "atoms", "mesh", "lines"};
    return kinds[part.content.index()];
}

std::string choices_of(Field field) {
    switch (field) {
        case Field::colormap: return "one of " + colormap_names_text();
        case Field::parts: return "'points', 'atoms', 'mesh' or 'lines'";
        case Field::encoding: return "'float32', 'compact' or 'meshopt'";
        case Field::style: return "'points', 'spheres' or 'ball-and-stick'";
        case Field::normals: return "'auto', 'smooth' or 'flat', or one normal per vertex";
        default: return "one of its choices";
    }
}

}  // namespace glb
