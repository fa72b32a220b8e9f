#include "conversions.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <system_error>
#include <utility>

namespace {

const char* const kTypeCode = "ERR_INVALID_ARG_TYPE";
const char* const kRangeCode = "ERR_OUT_OF_RANGE";
const char* const kMemoryCode = "ERR_MEMORY_ALLOCATION_FAILED";

size_t element_size(ElementType type) { return type == ElementType::uint16 ? 2 : 4; }

const char* typed_array_name(ElementType type) {
    switch (type) {
        case ElementType::float32:
            return "Float32Array";
        case ElementType::uint16:
            return "Uint16Array";
        case ElementType::uint32:
            return "Uint32Array";
    }
    return "";
}

napi_typedarray_type typed_array_type(ElementType type) {
    switch (type) {
        case ElementType::float32:
            return napi_float32_array;
        case ElementType::uint16:
            return napi_uint16_array;
        case ElementType::uint32:
            return napi_uint32_array;
    }
    return napi_uint8_array;
}

size_t typed_array_element_size(napi_typedarray_type type) {
    switch (type) {
        case napi_int8_array:
        case napi_uint8_array:
        case napi_uint8_clamped_array:
            return 1;
        case napi_int16_array:
        case napi_uint16_array:
            return 2;
        case napi_int32_array:
        case napi_uint32_array:
        case napi_float32_array:
            return 4;
        default:
            return 8;
    }
}

void check(napi_env env, napi_status status) {
    if (status != napi_ok) throw Napi::Error::New(env);  // the pending exception, or the last error's message
}

bool is_detached(napi_env env, napi_value array_buffer) {
    bool detached = false;
    check(env, napi_is_detached_arraybuffer(env, array_buffer, &detached));
    return detached;
}

std::string non_finite_text(double value) {
    if (std::isnan(value)) return "NaN";
    return value > 0 ? "Infinity" : "-Infinity";
}

Napi::Error make_error(Napi::Env env, Napi::Error error, const char* code) {
    error.Set("code", Napi::String::New(env, code));
    return error;
}

// The JavaScript error that a failure of reading or building stands for.
Napi::Error to_js_error(Napi::Env env, std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Napi::Error& error) {
        return error;  // raised by the program's own code (a getter, say): unchanged
    } catch (const ArgumentError& error) {
        return error.kind == ArgumentError::Kind::type
                   ? make_error(env, Napi::TypeError::New(env, error.what()), kTypeCode)
                   : make_error(env, Napi::RangeError::New(env, error.what()), kRangeCode);
    } catch (const std::bad_alloc&) {
        return make_error(env, Napi::Error::New(env, "Out of memory: the GLB or the memory to build it could not be allocated"),
                          kMemoryCode);
    } catch (const std::length_error& error) {  // the container's 4 GiB limit
        return make_error(env, Napi::RangeError::New(env, error.what()), kRangeCode);
    } catch (const std::invalid_argument& error) {  // a non-finite value the core refused
        return make_error(env, Napi::RangeError::New(env, error.what()), kRangeCode);
    } catch (const std::system_error& error) {  // a worker thread could not be started
        return Napi::Error::New(env, error.what());
    } catch (const std::exception& error) {
        return Napi::Error::New(env, error.what());
    }
}

// Per environment (main thread or worker thread): Buffer.allocUnsafeSlow, where
// every result's memory comes from.
struct AddonData {
    Napi::FunctionReference allocate_buffer;
};

// A Buffer of size bytes from Buffer.allocUnsafeSlow: memory that V8 owns, which
// its garbage collector frees and recycles at once (a Buffer over memory of our
// own is freed by a finaliser that waits for the event loop's next turn, so a
// loop of calls piles up fresh memory), and a failure that is an error, not the
// end of the process (as Node's native Buffer allocation would make it).
Napi::Buffer<uint8_t> new_buffer(Napi::Env env, size_t size) {
    try {
        const Napi::Value buffer = env.GetInstanceData<AddonData>()->allocate_buffer.Call({Napi::Number::New(env, double(size))});
        return buffer.As<Napi::Buffer<uint8_t>>();
    } catch (const Napi::Error&) {  // RangeError: Array buffer allocation failed
        throw std::bad_alloc();
    }
}

// The GLB written straight into a new Buffer, on the JavaScript thread.
class BufferOutput final : public glb::GlbOutput {
public:
    explicit BufferOutput(Napi::Env env) : env_(env) {}
    uint8_t* reserve(size_t size) override {
        buffer_ = new_buffer(env_, size);
        return buffer_.Data();
    }
    Napi::Buffer<uint8_t> buffer() const { return buffer_; }

private:
    Napi::Env env_;
    Napi::Buffer<uint8_t> buffer_;
};

// Stops a builder at its reservation, which comes before any large work, and
// keeps the size: a promise allocates its Buffer on the JavaScript thread first.
struct SizeKnown {};
class SizeProbe final : public glb::GlbOutput {
public:
    uint8_t* reserve(size_t size) override {
        size_ = size;
        throw SizeKnown{};
    }
    static size_t size_of(GlbJob& job) {
        SizeProbe probe;
        try {
            job.build(probe);
        } catch (const SizeKnown&) {
            return probe.size_;
        }
        throw std::logic_error("a builder finished without reserving its file");
    }

private:
    size_t size_ = 0;
};

// The Buffer allocated beforehand, filled on a thread of the pool.
class ReservedOutput final : public glb::GlbOutput {
public:
    ReservedOutput(uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint8_t* reserve(size_t size) override {
        if (size != size_) throw std::logic_error("a builder reserved another size than it did before");
        return data_;
    }

private:
    uint8_t* data_;
    size_t size_;
};

class GlbWorker final : public Napi::AsyncWorker {
public:
    GlbWorker(Napi::Env env, std::unique_ptr<GlbJob> job, Napi::Buffer<uint8_t> buffer)
        : Napi::AsyncWorker(env, "spatial-assembler"),
          job_(std::move(job)),
          deferred_(Napi::Promise::Deferred::New(env)),
          buffer_(Napi::Persistent(buffer)),
          output_(buffer.Data(), buffer.Length()) {}

    Napi::Promise promise() const { return deferred_.Promise(); }

    void Execute() override {
        try {
            job_->build(output_);
        } catch (...) {
            failure_ = std::current_exception();
        }
        job_.reset();  // the inputs' copies are not needed any longer
    }

    void OnOK() override {
        if (failure_) {
            deferred_.Reject(to_js_error(Env(), failure_).Value());
        } else {
            deferred_.Resolve(buffer_.Value());
        }
    }

private:
    std::unique_ptr<GlbJob> job_;
    Napi::Promise::Deferred deferred_;
    Napi::Reference<Napi::Buffer<uint8_t>> buffer_;  // not seen by the program before it resolves
    ReservedOutput output_;
    std::exception_ptr failure_;
};

struct ExportedFunction {
    JobReader read;
};

Napi::Value call_now(const Napi::CallbackInfo& info) {
    const JobReader read = static_cast<const ExportedFunction*>(info.Data())->read;
    try {
        std::unique_ptr<GlbJob> job = read(info, InputMode::borrow);
        BufferOutput output(info.Env());
        job->build(output);
        return output.buffer();
    } catch (...) {
        throw to_js_error(info.Env(), std::current_exception());
    }
}

Napi::Value call_later(const Napi::CallbackInfo& info) {
    const JobReader read = static_cast<const ExportedFunction*>(info.Data())->read;
    Napi::Env env = info.Env();
    try {
        std::unique_ptr<GlbJob> job = read(info, InputMode::copy);
        const Napi::Buffer<uint8_t> buffer = new_buffer(env, SizeProbe::size_of(*job));
        auto* worker = new GlbWorker(env, std::move(job), buffer);  // deletes itself when it has run
        Napi::Promise promise = worker->promise();
        worker->Queue();
        return promise;
    } catch (...) {
        Napi::Error error = to_js_error(env, std::current_exception());
        Napi::Promise::Deferred deferred = Napi::Promise::Deferred::New(env);
        deferred.Reject(error.Value());
        return deferred.Promise();
    }
}

}  // namespace

std::string ArgumentName::quoted() const { return std::string("\"") + (is_option ? "options." : "") + name + "\""; }

std::string ArgumentName::subject() const { return "The " + quoted() + (is_option ? " property" : " argument"); }

std::string describe_received(Napi::Value value) {
    if (value.IsUndefined()) return "Received undefined";
    if (value.IsNull()) return "Received null";
    if (value.IsFunction()) {
        const Napi::Value name = value.As<Napi::Object>().Get("name");
        const std::string text = name.IsString() ? name.As<Napi::String>().Utf8Value() : "";
        return text.empty() ? "Received function" : "Received function " + text;
    }
    if (value.IsObject()) {
        const Napi::Value constructor = value.As<Napi::Object>().Get("constructor");
        if (constructor.IsFunction()) {
            const Napi::Value name = constructor.As<Napi::Object>().Get("name");
            if (name.IsString() && !name.As<Napi::String>().Utf8Value().empty())
                return "Received an instance of " + name.As<Napi::String>().Utf8Value();
        }
        return "Received an instance of Object";
    }
    if (value.IsSymbol()) return "Received type symbol";
    std::string text = value.ToString().Utf8Value();
    const char* type = value.IsString() ? "string" : value.IsNumber() ? "number" : value.IsBoolean() ? "boolean" : "bigint";
    if (value.IsString()) {
        if (text.size() > 28) text = text.substr(0, 25) + "...";
        text = "'" + text + "'";
    } else if (value.IsBigInt()) {
        text += "n";
    }
    return std::string("Received type ") + type + " (" + text + ")";
}

ArrayArgument::ArrayArgument(Napi::Value value, ArgumentName name, ElementType type)
    : value_(value), name_(name), type_(type) {
    locate();
}

ArrayArgument::Memory ArrayArgument::locate() const {
    napi_env env = value_.Env();
    const auto wrong_type = [&] {
        return ArgumentError(ArgumentError::Kind::type,
                             name_.subject() + " must be an instance of " + typed_array_name(type_) +
                                 ", Buffer, Uint8Array, ArrayBuffer, SharedArrayBuffer or DataView. " +
                                 describe_received(value_));
    };
    const auto detached = [&] {
        return ArgumentError(ArgumentError::Kind::type, name_.subject() + " is a view of a detached ArrayBuffer");
    };
    void* data = nullptr;
    size_t byte_length = 0;
    napi_value array_buffer = nullptr;
    size_t offset = 0;
    if (value_.IsTypedArray()) {
        napi_typedarray_type kind;
        size_t length = 0;
        check(env, napi_get_typedarray_info(env, value_, &kind, &length, &data, &array_buffer, &offset));
        // Bytes are read raw, like any buffer in Python; any other element type would be garbage.
        if (kind != typed_array_type(type_) && kind != napi_uint8_array) throw wrong_type();
        if (is_detached(env, array_buffer)) throw detached();
        byte_length = length * typed_array_element_size(kind);
    } else if (value_.IsArrayBuffer()) {
        if (is_detached(env, value_))
            throw ArgumentError(ArgumentError::Kind::type, name_.subject() + " is a detached ArrayBuffer");
        check(env, napi_get_arraybuffer_info(env, value_, &data, &byte_length));
    } else if (value_.IsDataView()) {
        check(env, napi_get_dataview_info(env, value_, &byte_length, &data, &array_buffer, &offset));
        if (is_detached(env, array_buffer)) throw detached();
    } else {
        throw wrong_type();
    }
    return Memory{static_cast<const uint8_t*>(data), byte_length};
}

size_t ArrayArgument::byte_length() const { return locate().byte_length; }

ArrayData ArrayArgument::take(InputMode mode) const {
    const Memory memory = locate();
    ArrayData result;
    result.byte_length_ = memory.byte_length;
    const bool aligned = reinterpret_cast<uintptr_t>(memory.data) % element_size(type_) == 0;
    if (memory.byte_length == 0 || (mode == InputMode::borrow && aligned)) {
        result.data_ = memory.data;
    } else {
        // Plain pages (malloc), not huge ones: the copy is fresh memory in every call,
        // and on virtual machines a fresh 2 MiB page costs far more to obtain from
        // the host than the 4 KiB pages it replaces.
        result.copy_.reset(static_cast<uint8_t*>(std::malloc(memory.byte_length)));
        if (!result.copy_) throw std::bad_alloc();
        std::memcpy(result.copy_.get(), memory.data, memory.byte_length);
        result.data_ = result.copy_.get();
    }
    return result;
}

double read_number(Napi::Value value, ArgumentName name) {
    if (!value.IsNumber())
        throw ArgumentError(ArgumentError::Kind::type,
                            name.subject() + " must be of type number. " + describe_received(value));
    return value.As<Napi::Number>().DoubleValue();
}

bool read_boolean(Napi::Value value, ArgumentName name) {
    if (!value.IsBoolean())
        throw ArgumentError(ArgumentError::Kind::type,
                            name.subject() + " must be of type boolean. " + describe_received(value));
    return value.As<Napi::Boolean>().Value();
}

void read_numbers(Napi::Value value, ArgumentName name, double* out, size_t count) {
    size_t length = 0;
    if (value.IsArray()) {
        length = value.As<Napi::Array>().Length();
    } else if (value.IsTypedArray()) {
        length = value.As<Napi::TypedArray>().ElementLength();
    } else {
        throw ArgumentError(ArgumentError::Kind::type, name.subject() +
                                                           " must be an Array or a typed array of numbers. " +
                                                           describe_received(value));
    }
    if (length < count)
        throw ArgumentError(ArgumentError::Kind::range, "The value of \"" + std::string(name.is_option ? "options." : "") +
                                                            name.name + ".length\" is out of range. It must be >= " +
                                                            std::to_string(count) + ". Received " +
                                                            std::to_string(length));
    const Napi::Object items = value.As<Napi::Object>();
    for (size_t i = 0; i < count; ++i) {
        const Napi::Value item = items.Get(uint32_t(i));
        if (!item.IsNumber()) {
            const std::string indexed = std::string(name.name) + "[" + std::to_string(i) + "]";
            throw ArgumentError(ArgumentError::Kind::type, ArgumentName{indexed.c_str(), name.is_option}.subject() +
                                                               " must be of type number. " + describe_received(item));
        }
        out[i] = item.As<Napi::Number>().DoubleValue();
    }
}

void require_finite(const double* values, size_t count, ArgumentName name) {
    for (size_t i = 0; i < count; ++i) {
        if (std::isfinite(values[i])) continue;
        const std::string indexed = count == 1 ? name.name : std::string(name.name) + "[" + std::to_string(i) + "]";
        throw ArgumentError(ArgumentError::Kind::range, "The value of " + ArgumentName{indexed.c_str(), name.is_option}.quoted() +
                                                            " is out of range. It must be a finite number. Received " +
                                                            non_finite_text(values[i]));
    }
}

void prepare_environment(Napi::Env env) {
    auto* data = new AddonData;
    data->allocate_buffer = Napi::Persistent(
        env.Global().Get("Buffer").As<Napi::Object>().Get("allocUnsafeSlow").As<Napi::Function>());
    env.SetInstanceData(data);  // deleted with the environment
}

void export_function(Napi::Env env, Napi::Object exports, Napi::Object promises, const char* name, JobReader read) {
    // One small record per function and environment, freed with the environment.
    auto* function = new ExportedFunction{read};
    env.AddCleanupHook([function] { delete function; });
    exports.Set(name, Napi::Function::New(env, call_now, name, function));
    promises.Set(name, Napi::Function::New(env, call_later, name, function));
}
