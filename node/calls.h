// How a call of the addon runs: its arguments read into a job, the job's GLB
// planned and written, either now (returning a Buffer) or on the libuv thread
// pool (returning a Promise), and every failure turned into a JavaScript error.
#pragma once

#include <node_api.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "array_arguments.h"
#include "glb_assembler.h"
#include "napi_helpers.h"
#include "node_errors.h"

// One call with its arguments read: plans and writes its GLB, on any thread.
class GlbJob {
public:
    virtual ~GlbJob() = default;
    // Checks the values and works out the file (reads the arrays).
    virtual void plan() = 0;
    virtual uint64_t file_size() const = 0;
    // Writes the planned file into file_size() bytes.
    virtual void write(uint8_t* file) = 0;
    // For a call that borrowed its arrays, after the result was allocated: see
    // ArrayArgument::check_unchanged.
    virtual void check_unchanged(const uint8_t* result, size_t size) const = 0;
    // The program's memory of every input (where it lies, not a copy of it), for
    // the core's rules about the program's memory for the file.
    virtual std::vector<glb::InputMemory> inputs() const = 0;

    // options.into, when given (functions that return at once only; see output_buffer.h).
    napi_value into = nullptr;
};

// The job of a call of one of the core's records: the record, the arrays it
// holds (by slot), and its plan.
template <typename Record, size_t Arrays>
class RecordJob final : public GlbJob {
public:
    Record record{};
    std::optional<ArrayArgument> arguments[Arrays];
    HeldArray held[Arrays];

    void plan() override { plan_ = glb::plan_glb(record); }
    uint64_t file_size() const override { return plan_.file_size; }
    void write(uint8_t* file) override { glb::write_glb(file, plan_, record); }
    void check_unchanged(const uint8_t* result, size_t size) const override {
        for (size_t i = 0; i < Arrays; ++i)
            if (arguments[i]) arguments[i]->check_unchanged(held[i], result, size);
    }
    std::vector<glb::InputMemory> inputs() const override {
        std::vector<glb::InputMemory> memory;
        for (size_t i = 0; i < Arrays; ++i)
            if (arguments[i]) memory.push_back(arguments[i]->memory());
        return memory;
    }

private:
    decltype(glb::plan_glb(std::declval<const Record&>())) plan_;
};

// Reads a call's arguments into a job, or throws.
using JobReader = std::unique_ptr<GlbJob> (*)(napi_env env, const std::vector<napi_value>& args, InputMode mode);

// Prepares what every call of an environment uses; called once, before exporting.
void prepare_environment(napi_env env);

// releaseMemory(): frees the scratch memory that the environment's calls keep
// between them, and returns how many bytes it freed.
napi_value release_memory(napi_env env, napi_callback_info info);

// Sets object[name] to a function that runs read's jobs now (returning a
// Buffer), and promises[name] to one that runs them on the thread pool
// (returning a Promise; bad arguments reject it).
void export_function(napi_env env, napi_value object, napi_value promises, const char* name, JobReader read,
                     Spelling spelling);

// Runs body, returning its value, or turns what it threw into a pending JavaScript
// exception and returns nullptr.
template <typename Body>
napi_value call_function(napi_env env, Spelling spelling, Body&& body);

// The JavaScript error of a failure, or nullptr when none can be made.
napi_value error_of(napi_env env, std::exception_ptr failure, Spelling spelling);

template <typename Body>
napi_value call_function(napi_env env, Spelling spelling, Body&& body) {
    try {
        return body();
    } catch (const PendingException&) {
        return nullptr;
    } catch (...) {
        const napi_value error = error_of(env, std::current_exception(), spelling);
        if (error != nullptr) napi_throw(env, error);
        return nullptr;
    }
}
