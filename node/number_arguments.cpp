#include "number_arguments.h"

double read_number(napi_env env, napi_value value, const ArgumentName& name) {
    if (type_of(env, value) != napi_number)
        throw ArgumentError(ArgumentError::Kind::type,
                            name.subject() + " must be of type number. " + describe_received(env, value));
    return number_value(env, value);
}

bool read_boolean(napi_env env, napi_value value, const ArgumentName& name) {
    if (type_of(env, value) != napi_boolean)
        throw ArgumentError(ArgumentError::Kind::type,
                            name.subject() + " must be of type boolean. " + describe_received(env, value));
    return boolean_value(env, value);
}

std::string read_string(napi_env env, napi_value value, const ArgumentName& name) {
    if (type_of(env, value) != napi_string)
        throw ArgumentError(ArgumentError::Kind::type,
                            name.subject() + " must be of type string. " + describe_received(env, value));
    return string_value(env, value);
}

void read_numbers(napi_env env, napi_value value, const ArgumentName& name, double* out, size_t count) {
    size_t length = 0;
    if (is_array(env, value)) {
        length = array_length(env, value);
    } else if (is_typed_array(env, value)) {
        check(env, napi_get_typedarray_info(env, value, nullptr, &length, nullptr, nullptr, nullptr));
    } else {
        throw ArgumentError(ArgumentError::Kind::type, name.subject() + " must be an Array or a typed array of numbers. " +
                                                           describe_received(env, value));
    }
    if (length < count)
        throw ArgumentError(ArgumentError::Kind::range,
                            "The value of \"" + std::string(name.is_option ? "options." : "") + name.name +
                                ".length\" is out of range. It must be >= " + std::to_string(count) + ". Received " +
                                std::to_string(length));
    for (size_t i = 0; i < count; ++i) {
        const napi_value item = element(env, value, uint32_t(i));
        if (type_of(env, item) != napi_number)
            throw ArgumentError(ArgumentError::Kind::type,
                                name.at(i).subject() + " must be of type number. " + describe_received(env, item));
        out[i] = number_value(env, item);
    }
}

bool is_absent(napi_env env, napi_value value) {
    const napi_valuetype type = type_of(env, value);
    return type == napi_undefined || type == napi_null;
}
