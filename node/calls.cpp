#include "calls.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <new>
#include <string>
#include <system_error>

#include "inputs/input_error.h"
#include "memory/large_memory.h"
#include "node_errors.h"
#include "output_buffer.h"

namespace {

const char* const kMemoryCode = "ERR_MEMORY_ALLOCATION_FAILED";

// Per environment (the main thread, or a Worker): Buffer.allocUnsafeSlow as it
// was when the addon was loaded, where the results of calls that return at once
// come from: memory that V8 owns and frees as soon as its garbage collector
// finds the Buffer unused (a Buffer over memory of our own is freed by a
// finaliser that waits for the event loop's next turn, so a loop of calls would
// pile up memory), and a failure that is an error, not the end of the process.
// The program may have replaced it: its results are checked before anything is
// written into them. Buffer.from, likewise, makes the Buffer views of the
// program's own memory (options.into). And the scratch memory that the calls of
// the environment keep between them: the promises' work holds it too, so that
// it outlives a Worker torn down while work is still on the pool.
struct Environment {
    napi_ref allocate_buffer = nullptr;
    napi_ref buffer_from = nullptr;
    std::shared_ptr<glb::ScratchReserve> reserve = std::make_shared<glb::ScratchReserve>();
};

void delete_environment(napi_env env, void* data, void*) {
    auto* environment = static_cast<Environment*>(data);
    if (environment->allocate_buffer != nullptr) napi_delete_reference(env, environment->allocate_buffer);
    if (environment->buffer_from != nullptr) napi_delete_reference(env, environment->buffer_from);
    delete environment;
}

Environment& environment_of(napi_env env) {
    Environment* environment = nullptr;
    check(env, napi_get_instance_data(env, reinterpret_cast<void**>(&environment)));
    return *environment;
}

// A fresh Buffer of exactly size bytes that this call alone holds.
napi_value allocate_result(napi_env env, size_t size, uint8_t** data) {
    napi_value allocate, global, length, buffer;
    check(env, napi_get_reference_value(env, environment_of(env).allocate_buffer, &allocate));
    check(env, napi_get_global(env, &global));
    check(env, napi_create_double(env, double(size), &length));
    if (napi_call_function(env, global, allocate, 1, &length, &buffer) != napi_ok) {
        napi_value exception;
        if (napi_get_and_clear_last_exception(env, &exception) != napi_ok || type_of(env, exception) == napi_undefined)
            throw PendingException{};  // JavaScript cannot run any more: the environment ends
        throw std::bad_alloc();        // RangeError: Array buffer allocation failed
    }
    // Only a plain Buffer of exactly this size is written into; anything else a
    // replacement returned is left alone, and Node-API makes the Buffer instead.
    bool fits = false;
    if (is_typed_array(env, buffer)) {
        napi_typedarray_type kind;
        size_t count = 0;
        void* memory = nullptr;
        napi_value array_buffer;
        size_t offset = 0;
        check(env, napi_get_typedarray_info(env, buffer, &kind, &count, &memory, &array_buffer, &offset));
        fits = kind == napi_uint8_array && count == size && is_array_buffer(env, array_buffer) &&
               !is_detached(env, array_buffer) && (memory != nullptr || size == 0);
        *data = static_cast<uint8_t*>(memory);
    }
    if (!fits) {
        void* memory = nullptr;
        check(env, napi_create_buffer(env, size, &memory, &buffer));
        *data = static_cast<uint8_t*>(memory);
    }
    return buffer;
}

// A Buffer over the file's `size` bytes at the start of the program's memory:
// from Buffer.from(arrayBuffer, offset, size) as it was at load, when that gives
// exactly this view; otherwise a Uint8Array of it.
napi_value view_of_output(napi_env env, const OutputMemory& out, size_t size) {
    napi_value from, global, buffer, offset, length;
    check(env, napi_get_reference_value(env, environment_of(env).buffer_from, &from));
    check(env, napi_get_global(env, &global));
    check(env, napi_create_double(env, double(out.offset), &offset));
    check(env, napi_create_double(env, double(size), &length));
    const napi_value arguments[] = {out.array_buffer, offset, length};
    bool fits = false;
    if (napi_call_function(env, global, from, 3, arguments, &buffer) == napi_ok && is_typed_array(env, buffer)) {
        napi_typedarray_type kind;
        size_t count = 0;
        void* memory = nullptr;
        check(env, napi_get_typedarray_info(env, buffer, &kind, &count, &memory, nullptr, nullptr));
        fits = kind == napi_uint8_array && count == size && memory == out.data;
    } else {
        napi_value ignored;
        if (napi_get_and_clear_last_exception(env, &ignored) != napi_ok) throw PendingException{};
    }
    if (!fits) check(env, napi_create_typedarray(env, napi_uint8_array, size, out.array_buffer, out.offset, &buffer));
    return buffer;
}

struct Exported {
    JobReader read;
    Spelling spelling;
};

std::vector<napi_value> arguments_of(napi_env env, napi_callback_info info, Exported** exported) {
    size_t count = 16;
    std::vector<napi_value> args(count);
    check(env, napi_get_cb_info(env, info, &count, args.data(), nullptr, reinterpret_cast<void**>(exported)));
    args.resize(std::min<size_t>(count, 16));
    const napi_value undefined = undefined_value(env);
    while (args.size() < 16) args.push_back(undefined);  // missing arguments read as undefined
    return args;
}

napi_value call_now(napi_env env, napi_callback_info info) {
    Exported* exported = nullptr;
    try {
        const std::vector<napi_value> args = arguments_of(env, info, &exported);
        return call_function(env, exported->spelling, [&] {
            // Before the job: its scratch arrays go back to the reserve first.
            const glb::ScratchSession session(environment_of(env).reserve.get());
            std::unique_ptr<GlbJob> job = exported->read(env, args, InputMode::borrow);
            job->plan();
            const size_t size = size_t(job->file_size());
            if (job->into != nullptr) {  // no program code runs from here to the write
                const OutputMemory out = locate_into(env, job->into);
                glb::check_output(out.data, out.byte_length, size, job->inputs());
                job->write(out.data);
                return view_of_output(env, out, size);
            }
            uint8_t* file = nullptr;
            const napi_value result = allocate_result(env, size, &file);
            job->check_unchanged(file, size);  // the allocation ran program code
            job->write(file);
            return result;
        });
    } catch (const PendingException&) {
        return nullptr;
    }
}

// A promise's work: the job planned and written on a thread of the pool into
// memory of the addon's own, which becomes the Buffer when the work completes.
struct PromisedWork {
    std::shared_ptr<glb::ScratchReserve> reserve;
    napi_async_work work = nullptr;
    napi_deferred deferred = nullptr;
    std::unique_ptr<GlbJob> job;
    Spelling spelling;
    uint8_t* file = nullptr;
    size_t size = 0;
    std::exception_ptr failure;

    ~PromisedWork() { glb::release_large(file); }
};

void execute(napi_env, void* data) {
    auto* promised = static_cast<PromisedWork*>(data);
    // The reserve, when no other call uses it; the job's scratch goes back before it ends.
    const glb::ScratchSession session(promised->reserve.get());
    try {
        promised->job->plan();
        promised->size = size_t(promised->job->file_size());
        // Plain pages, as for all memory of the package's calls (see large_memory.h).
        promised->file = static_cast<uint8_t*>(std::malloc(promised->size == 0 ? 1 : promised->size));
        if (promised->file == nullptr) throw std::bad_alloc();
        promised->job->write(promised->file);
    } catch (...) {
        promised->failure = std::current_exception();
    }
    promised->job.reset();  // the inputs' copies are not needed any longer
}

void release_result(napi_env env, void* data, void* hint) {
    glb::release_large(data);
    int64_t adjusted = 0;
    napi_adjust_external_memory(env, -int64_t(reinterpret_cast<uintptr_t>(hint)), &adjusted);
}

// Runs on the JavaScript thread, also while a Worker or the process is being
// torn down: then Node-API calls fail, and the work ends quietly.
void complete(napi_env env, napi_status status, void* data) {
    std::unique_ptr<PromisedWork> promised(static_cast<PromisedWork*>(data));
    napi_delete_async_work(env, promised->work);
    if (status != napi_ok) return;  // cancelled: the environment ends
    napi_handle_scope scope = nullptr;
    if (napi_open_handle_scope(env, &scope) != napi_ok) return;
    if (promised->failure) {
        const napi_value error = error_of(env, promised->failure, promised->spelling);
        if (error != nullptr) napi_reject_deferred(env, promised->deferred, error);
    } else {
        napi_value buffer = nullptr;
        const size_t size = promised->size;
        if (napi_create_external_buffer(env, size, promised->file, release_result,
                                        reinterpret_cast<void*>(uintptr_t(size)), &buffer) == napi_ok) {
            promised->file = nullptr;  // the Buffer owns it now
            int64_t adjusted = 0;
            napi_adjust_external_memory(env, int64_t(size), &adjusted);
        } else {
            void* copy = nullptr;  // a runtime that takes no outside memory
            if (napi_create_buffer_copy(env, size, promised->file, &copy, &buffer) != napi_ok) buffer = nullptr;
        }
        if (buffer != nullptr) napi_resolve_deferred(env, promised->deferred, buffer);
    }
    napi_close_handle_scope(env, scope);
}

napi_value call_later(napi_env env, napi_callback_info info) {
    Exported* exported = nullptr;
    napi_value promise = nullptr;
    auto promised = std::make_unique<PromisedWork>();
    std::vector<napi_value> args;
    try {
        args = arguments_of(env, info, &exported);
        promised->spelling = exported->spelling;
        promised->reserve = environment_of(env).reserve;
        check(env, napi_create_promise(env, &promised->deferred, &promise));
    } catch (const PendingException&) {
        return nullptr;
    }
    // From here on every failure rejects the promise: it is always returned.
    napi_value failure = nullptr;
    try {
        promised->job = exported->read(env, args, InputMode::copy);
        napi_value name;
        check(env, napi_create_string_utf8(env, "spatial-assembler", NAPI_AUTO_LENGTH, &name));
        check(env, napi_create_async_work(env, nullptr, name, execute, complete, promised.get(), &promised->work));
        if (napi_queue_async_work(env, promised->work) != napi_ok) {
            napi_delete_async_work(env, promised->work);
            throw_failed(env, napi_generic_failure);
        }
        promised.release();  // complete() deletes it
        return promise;
    } catch (const PendingException&) {
        if (napi_get_and_clear_last_exception(env, &failure) != napi_ok) failure = nullptr;  // a getter's own error
    } catch (...) {
        failure = error_of(env, std::current_exception(), exported->spelling);
    }
    if (failure == nullptr) return nullptr;  // JavaScript cannot run any more
    napi_reject_deferred(env, promised->deferred, failure);
    return promise;
}

}  // namespace

napi_value error_of(napi_env env, std::exception_ptr failure, Spelling spelling) {
    try {
        std::rethrow_exception(failure);
    } catch (const ArgumentError& error) {
        return error.kind == ArgumentError::Kind::type ? make_error(env, "TypeError", error.what(), "ERR_INVALID_ARG_TYPE")
                                                       : make_error(env, "RangeError", error.what(), "ERR_OUT_OF_RANGE");
    } catch (const PartInputError& error) {
        const ArgumentError mapped = node_input_error(error, spelling);
        return error_of(env, std::make_exception_ptr(ArgumentError(mapped.kind, error.part + ": " + mapped.what())), spelling);
    } catch (const glb::InputError& error) {
        const ArgumentError mapped = node_input_error(error, spelling);
        return error_of(env, std::make_exception_ptr(mapped), spelling);
    } catch (const std::bad_alloc&) {
        return make_error(env, "Error", "Out of memory: the GLB or the memory to build it could not be allocated",
                          kMemoryCode);
    } catch (const std::exception& error) {  // a worker thread that could not start, say
        return make_error(env, "Error", error.what(), nullptr);
    } catch (...) {
        return make_error(env, "Error", "unknown failure", nullptr);
    }
}

void prepare_environment(napi_env env) {
    auto* environment = new Environment;
    napi_value global, buffer, allocate;
    check(env, napi_get_global(env, &global));
    check(env, napi_get_named_property(env, global, "Buffer", &buffer));
    check(env, napi_get_named_property(env, buffer, "allocUnsafeSlow", &allocate));
    if (type_of(env, allocate) != napi_function) {
        delete environment;
        throw std::runtime_error("Buffer.allocUnsafeSlow is not a function");
    }
    check(env, napi_create_reference(env, allocate, 1, &environment->allocate_buffer));
    napi_value from;
    check(env, napi_get_named_property(env, buffer, "from", &from));
    if (type_of(env, from) != napi_function) {
        napi_delete_reference(env, environment->allocate_buffer);
        delete environment;
        throw std::runtime_error("Buffer.from is not a function");
    }
    check(env, napi_create_reference(env, from, 1, &environment->buffer_from));
    if (napi_set_instance_data(env, environment, delete_environment, nullptr) != napi_ok) {
        napi_delete_reference(env, environment->allocate_buffer);
        napi_delete_reference(env, environment->buffer_from);
        delete environment;
        throw_failed(env, napi_generic_failure);
    }
}

napi_value release_memory(napi_env env, napi_callback_info) {
    return call_function(env, Spelling::raw, [&] {
        napi_value freed;
        check(env, napi_create_double(env, double(environment_of(env).reserve->release()), &freed));
        return freed;
    });
}

void export_function(napi_env env, napi_value object, napi_value promises, const char* name, JobReader read,
                     Spelling spelling) {
    // One small record per function and environment, freed with the environment.
    auto* exported = new Exported{read, spelling};
    check(env, napi_add_env_cleanup_hook(env, [](void* data) { delete static_cast<Exported*>(data); }, exported));
    napi_value now, later;
    check(env, napi_create_function(env, name, NAPI_AUTO_LENGTH, call_now, exported, &now));
    check(env, napi_create_function(env, name, NAPI_AUTO_LENGTH, call_later, exported, &later));
    check(env, napi_set_named_property(env, object, name, now));
    check(env, napi_set_named_property(env, promises, name, later));
}
