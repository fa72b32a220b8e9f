// Thin C++ over Node-API's C interface, for the addon's functions. Everything
// that can fail inside a call throws a C++ exception that the call's boundary
// (call_function in calls.h) turns into a JavaScript error, or, when an
// exception is already pending or JavaScript can no longer run (a Worker being
// torn down), simply returns. Nothing here throws across Node-API.
#pragma once

#include <node_api.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// A Node-API call failed: a JavaScript exception is pending (a getter of the
// program threw, say), or JavaScript cannot run any more.
struct PendingException {};

// Throws PendingException; when no exception is pending and JavaScript can
// still run, one describing the failure is thrown first.
[[noreturn]] void throw_failed(napi_env env, napi_status status);

inline void check(napi_env env, napi_status status) {
    if (status != napi_ok) throw_failed(env, status);
}

// A bad argument: a TypeError with code ERR_INVALID_ARG_TYPE, or a RangeError
// with code ERR_OUT_OF_RANGE, as Node's own functions throw them.
class ArgumentError : public std::runtime_error {
public:
    enum class Kind { type, range };
    ArgumentError(Kind kind, const std::string& message) : std::runtime_error(message), kind(kind) {}
    Kind kind;
};

// Names an argument in messages, as Node does: `The "vmin" argument` or, for a
// key of an options object, `The "options.baseColor" property`.
struct ArgumentName {
    std::string name;
    bool is_option = false;

    std::string quoted() const;   // `"vmin"` or `"options.baseColor"`
    std::string subject() const;  // `The "vmin" argument`
    ArgumentName at(size_t index) const;  // `vmin[2]`
};

// "Received ..." of Node's messages: `Received undefined`, `Received type
// string ('abc')`, `Received an instance of Float64Array`.
std::string describe_received(napi_env env, napi_value value);

// Small queries, each throwing PendingException when Node-API fails.
napi_valuetype type_of(napi_env env, napi_value value);
bool is_typed_array(napi_env env, napi_value value);
bool is_array(napi_env env, napi_value value);
bool is_array_buffer(napi_env env, napi_value value);
bool is_data_view(napi_env env, napi_value value);
bool is_detached(napi_env env, napi_value array_buffer);
double number_value(napi_env env, napi_value value);
bool boolean_value(napi_env env, napi_value value);
std::string string_value(napi_env env, napi_value value);
napi_value property(napi_env env, napi_value object, const char* key);
napi_value element(napi_env env, napi_value object, uint32_t index);
uint32_t array_length(napi_env env, napi_value array);
napi_value undefined_value(napi_env env);
napi_value string_of(napi_env env, const std::string& text);

// An options argument: TypeError unless it is an object (not an Array).
void refuse_non_object(napi_env env, napi_value options);
// TypeError for a key of an options object that is none of the known ones, like an unknown keyword in Python.
void refuse_unknown_keys(napi_env env, napi_value options, const std::vector<const char*>& known_keys);

// process.emitWarning(text, 'UserWarning'): a warning the program sees, as Python's UserWarning.
void emit_warning(napi_env env, const std::string& text);

// A JavaScript error with Node's error code, or nullptr when it cannot be made.
napi_value make_error(napi_env env, const char* constructor, const std::string& message, const char* code);
