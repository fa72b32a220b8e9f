#include "napi_helpers.h"

#include <vector>

void throw_failed(napi_env env, napi_status status) {
    bool pending = false;
    if (napi_is_exception_pending(env, &pending) == napi_ok && !pending && status != napi_pending_exception &&
        status != napi_cannot_run_js) {
        const napi_extended_error_info* info = nullptr;
        std::string message = "Node-API call failed";
        if (napi_get_last_error_info(env, &info) == napi_ok && info != nullptr && info->error_message != nullptr)
            message += std::string(": ") + info->error_message;
        napi_throw_error(env, nullptr, message.c_str());  // fails quietly when JavaScript cannot run
    }
    throw PendingException{};
}

std::string ArgumentName::quoted() const { return std::string("\"") + (is_option ? "options." : "") + name + "\""; }

std::string ArgumentName::subject() const { return "The " + quoted() + (is_option ? " property" : " argument"); }

ArgumentName ArgumentName::at(size_t index) const { return ArgumentName{name + "[" + std::to_string(index) + "]", is_option}; }

napi_valuetype type_of(napi_env env, napi_value value) {
    napi_valuetype type;
    check(env, napi_typeof(env, value, &type));
    return type;
}

bool is_typed_array(napi_env env, napi_value value) {
    bool result = false;
    check(env, napi_is_typedarray(env, value, &result));
    return result;
}

bool is_array(napi_env env, napi_value value) {
    bool result = false;
    check(env, napi_is_array(env, value, &result));
    return result;
}

bool is_array_buffer(napi_env env, napi_value value) {
    bool result = false;
    check(env, napi_is_arraybuffer(env, value, &result));
    return result;
}

bool is_data_view(napi_env env, napi_value value) {
    bool result = false;
    check(env, napi_is_dataview(env, value, &result));
    return result;
}

bool is_detached(napi_env env, napi_value array_buffer) {
    bool detached = false;
    check(env, napi_is_detached_arraybuffer(env, array_buffer, &detached));
    return detached;
}

double number_value(napi_env env, napi_value value) {
    double number = 0;
    check(env, napi_get_value_double(env, value, &number));
    return number;
}

bool boolean_value(napi_env env, napi_value value) {
    bool result = false;
    check(env, napi_get_value_bool(env, value, &result));
    return result;
}

std::string string_value(napi_env env, napi_value value) {
    size_t length = 0;
    check(env, napi_get_value_string_utf8(env, value, nullptr, 0, &length));
    std::vector<char> text(length + 1);
    check(env, napi_get_value_string_utf8(env, value, text.data(), text.size(), &length));
    return std::string(text.data(), length);
}

napi_value property(napi_env env, napi_value object, const char* key) {
    napi_value value;
    check(env, napi_get_named_property(env, object, key, &value));
    return value;
}

napi_value element(napi_env env, napi_value object, uint32_t index) {
    napi_value value;
    check(env, napi_get_element(env, object, index, &value));
    return value;
}

uint32_t array_length(napi_env env, napi_value array) {
    uint32_t length = 0;
    check(env, napi_get_array_length(env, array, &length));
    return length;
}

napi_value undefined_value(napi_env env) {
    napi_value value;
    check(env, napi_get_undefined(env, &value));
    return value;
}

napi_value string_of(napi_env env, const std::string& text) {
    napi_value value;
    check(env, napi_create_string_utf8(env, text.data(), text.size(), &value));
    return value;
}

std::string describe_received(napi_env env, napi_value value) {
    const napi_valuetype type = type_of(env, value);
    switch (type) {
        case napi_undefined: return "Received undefined";
        case napi_null: return "Received null";
        case napi_function: {
            const napi_value name = property(env, value, "name");
            const std::string text = type_of(env, name) == napi_string ? string_value(env, name) : "";
            return text.empty() ? "Received function" : "Received function " + text;
        }
        case napi_object: {
            const napi_value constructor = property(env, value, "constructor");
            if (type_of(env, constructor) == napi_function) {
                const napi_value name = property(env, constructor, "name");
                if (type_of(env, name) == napi_string) {
                    const std::string text = string_value(env, name);
                    if (!text.empty()) return "Received an instance of " + text;
                }
            }
            return "Received an instance of Object";
        }
        case napi_symbol: return "Received type symbol";
        default: break;
    }
    napi_value text_value;
    check(env, napi_coerce_to_string(env, value, &text_value));
    std::string text = string_value(env, text_value);
    const char* name = type == napi_string ? "string" : type == napi_number ? "number" : type == napi_boolean ? "boolean" : "bigint";
    if (type == napi_string) {
        if (text.size() > 28) text = text.substr(0, 25) + "...";
        text = "'" + text + "'";
    } else if (type == napi_bigint) {
        text += "n";
    }
    return std::string("Received type ") + name + " (" + text + ")";
}

napi_value make_error(napi_env env, const char* constructor, const std::string& message, const char* code) {
    napi_value text = nullptr, code_value = nullptr, error = nullptr;
    if (napi_create_string_utf8(env, message.data(), message.size(), &text) != napi_ok) return nullptr;
    if (code != nullptr && napi_create_string_utf8(env, code, NAPI_AUTO_LENGTH, &code_value) != napi_ok) return nullptr;
    napi_status status;
    if (std::string(constructor) == "TypeError") status = napi_create_type_error(env, code_value, text, &error);
    else if (std::string(constructor) == "RangeError") status = napi_create_range_error(env, code_value, text, &error);
    else status = napi_create_error(env, code_value, text, &error);
    return status == napi_ok ? error : nullptr;
}

void refuse_non_object(napi_env env, napi_value options) {
    if (type_of(env, options) != napi_object || is_array(env, options))
        throw ArgumentError(ArgumentError::Kind::type,
                            "The \"options\" argument must be of type object. " + describe_received(env, options));
}

void refuse_unknown_keys(napi_env env, napi_value options, const std::vector<const char*>& known_keys) {
    napi_value keys;
    check(env, napi_get_all_property_names(env, options, napi_key_own_only,
                                           static_cast<napi_key_filter>(napi_key_enumerable | napi_key_skip_symbols),
                                           napi_key_numbers_to_strings, &keys));
    const uint32_t count = array_length(env, keys);
    for (uint32_t i = 0; i < count; ++i) {
        const std::string key = string_value(env, element(env, keys, i));
        bool known = false;
        for (const char* name : known_keys) known = known || key == name;
        if (known) continue;
        std::string listed;  // "a, b and c"
        for (size_t k = 0; k < known_keys.size(); ++k)
            listed += (k == 0 ? "" : k + 1 == known_keys.size() ? " and " : ", ") + std::string(known_keys[k]);
        throw ArgumentError(ArgumentError::Kind::type,
                            "The \"options\" argument has an unknown key \"" + key + "\". Its keys are " + listed);
    }
}

void emit_warning(napi_env env, const std::string& text) {
    napi_value global, process, emit, message, ignored;
    check(env, napi_get_global(env, &global));
    check(env, napi_get_named_property(env, global, "process", &process));
    check(env, napi_get_named_property(env, process, "emitWarning", &emit));
    if (type_of(env, emit) != napi_function) return;
    message = string_of(env, text);
    const napi_value arguments[] = {message, string_of(env, "UserWarning")};
    check(env, napi_call_function(env, process, emit, 2, arguments, &ignored));
}
