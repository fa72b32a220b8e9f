// Number and boolean arguments, read without coercion, as Node's own functions
// read theirs: a value of the wrong type is a TypeError naming it.
#pragma once

#include <node_api.h>

#include <array>
#include <cstddef>

#include "napi_helpers.h"

// A number (typeof number).
double read_number(napi_env env, napi_value value, const ArgumentName& name);
// A boolean (typeof boolean).
bool read_boolean(napi_env env, napi_value value, const ArgumentName& name);
// A string (typeof string).
std::string read_string(napi_env env, napi_value value, const ArgumentName& name);
// The first count numbers of an Array or a typed array: TypeError for another
// kind of value or an item that is not a number, RangeError when it holds fewer.
void read_numbers(napi_env env, napi_value value, const ArgumentName& name, double* out, size_t count);

template <size_t N>
std::array<double, N> read_numbers(napi_env env, napi_value value, const ArgumentName& name) {
    std::array<double, N> numbers{};
    read_numbers(env, value, name, numbers.data(), N);
    return numbers;
}

// Whether a value is undefined or null (an option left out).
bool is_absent(napi_env env, napi_value value);
