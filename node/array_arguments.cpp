#include "array_arguments.h"

#include <algorithm>
#include <cstring>

namespace {

const char* typed_array_name(glb::ElementType type) {
    switch (type) {
        case glb::ElementType::float32: return "Float32Array";
        case glb::ElementType::uint16: return "Uint16Array";
        case glb::ElementType::uint32: return "Uint32Array";
        default: return "TypedArray";
    }
}

napi_typedarray_type typed_array_kind(glb::ElementType type) {
    switch (type) {
        case glb::ElementType::float32: return napi_float32_array;
        case glb::ElementType::uint16: return napi_uint16_array;
        case glb::ElementType::uint32: return napi_uint32_array;
        default: return napi_uint8_array;
    }
}


}  // namespace

bool element_type_of(napi_typedarray_type kind, glb::ElementType& type) {
    switch (kind) {
        case napi_int8_array: type = glb::ElementType::int8; return true;
        case napi_uint8_array:
        case napi_uint8_clamped_array: type = glb::ElementType::uint8; return true;
        case napi_int16_array: type = glb::ElementType::int16; return true;
        case napi_uint16_array: type = glb::ElementType::uint16; return true;
        case napi_int32_array: type = glb::ElementType::int32; return true;
        case napi_uint32_array: type = glb::ElementType::uint32; return true;
        case napi_float32_array: type = glb::ElementType::float32; return true;
        case napi_float64_array: type = glb::ElementType::float64; return true;
        case napi_bigint64_array: type = glb::ElementType::int64; return true;
        case napi_biguint64_array: type = glb::ElementType::uint64; return true;
        default: return false;
    }
}

ArrayArgument::ArrayArgument(napi_env env, napi_value value, ArgumentName name, glb::Field field, glb::ElementType type,
                             bool raw)
    : env_(env), value_(value), name_(std::move(name)), field_(field), type_(type), raw_(raw) {
    if (value_ == nullptr) return;  // held values
    if (!raw_ && is_typed_array(env_, value_)) {
        napi_typedarray_type kind;
        size_t length = 0;
        check(env_, napi_get_typedarray_info(env_, value_, &kind, &length, nullptr, nullptr, nullptr));
        if (!element_type_of(kind, type_))
            throw ArgumentError(ArgumentError::Kind::type,
                                name_.subject() + " must be an Array or a typed array of numbers. " +
                                    describe_received(env_, value_));
    }
    locate();  // refuses a wrong kind or a detached array at once
}

ArrayArgument ArrayArgument::raw(napi_env env, napi_value value, ArgumentName name, glb::Field field,
                                 glb::ElementType expected) {
    return ArrayArgument(env, value, std::move(name), field, expected, true);
}

ArrayArgument ArrayArgument::typed(napi_env env, napi_value value, ArgumentName name, glb::Field field) {
    if (!is_array(env, value)) return ArrayArgument(env, value, std::move(name), field, glb::ElementType::uint8, false);
    const uint32_t count = array_length(env, value);
    glb::ScratchArray<uint8_t> numbers = glb::allocate_input_copy(size_t(count) * sizeof(double));
    double* out = reinterpret_cast<double*>(numbers.get());
    for (uint32_t i = 0; i < count; ++i) {
        const napi_value item = element(env, value, i);
        if (type_of(env, item) != napi_number)
            throw ArgumentError(ArgumentError::Kind::type,
                                name.at(i).subject() + " must be of type number. " + describe_received(env, item));
        out[i] = number_value(env, item);
    }
    return held(env, std::move(name), field, glb::ElementType::float64, std::move(numbers), count);
}

ArrayArgument ArrayArgument::held(napi_env env, ArgumentName name, glb::Field field, glb::ElementType type,
                                  glb::ScratchArray<uint8_t> values, size_t count) {
    ArrayArgument argument(env, nullptr, std::move(name), field, type, false);
    argument.own_ = std::make_shared<glb::ScratchArray<uint8_t>>(std::move(values));
    argument.own_count_ = count;
    return argument;
}

glb::InputMemory ArrayArgument::memory() const {
    if (own_) return glb::InputMemory{nullptr, 0, field_};
    const Located located = locate();
    return glb::InputMemory{located.data, located.byte_length, field_};
}

ArrayArgument::Located ArrayArgument::locate() const {
    if (own_) return Located{own_->get(), own_count_ * glb::element_size(type_)};
    const auto wrong_type = [&] {
        if (!raw_)
            return ArgumentError(ArgumentError::Kind::type,
                                 name_.subject() + " must be an Array or a typed array of numbers. " +
                                     describe_received(env_, value_));
        return ArgumentError(ArgumentError::Kind::type,
                             name_.subject() + " must be an instance of " + typed_array_name(type_) +
                                 ", Buffer, Uint8Array, ArrayBuffer, SharedArrayBuffer or DataView. " +
                                 describe_received(env_, value_));
    };
    const auto detached = [&] {
        return ArgumentError(ArgumentError::Kind::type, name_.subject() + " is a view of a detached ArrayBuffer");
    };
    void* data = nullptr;
    size_t byte_length = 0;
    napi_value array_buffer = nullptr;
    size_t offset = 0;
    if (is_typed_array(env_, value_)) {
        napi_typedarray_type kind;
        size_t length = 0;
        check(env_, napi_get_typedarray_info(env_, value_, &kind, &length, &data, &array_buffer, &offset));
        glb::ElementType type;
        if (!element_type_of(kind, type)) throw wrong_type();
        // Raw bytes are read as the expected type, like any buffer in Python; any other element type would be garbage.
        if (raw_ && kind != typed_array_kind(type_) && kind != napi_uint8_array) throw wrong_type();
        if (!raw_ && type != type_) throw detached();  // a typed array cannot change its kind: never happens
        if (is_detached(env_, array_buffer)) throw detached();
        byte_length = length * glb::element_size(type);
    } else if (raw_ && is_array_buffer(env_, value_)) {
        if (is_detached(env_, value_))
            throw ArgumentError(ArgumentError::Kind::type, name_.subject() + " is a detached ArrayBuffer");
        check(env_, napi_get_arraybuffer_info(env_, value_, &data, &byte_length));
    } else if (raw_ && is_data_view(env_, value_)) {
        check(env_, napi_get_dataview_info(env_, value_, &byte_length, &data, &array_buffer, &offset));
        if (is_detached(env_, array_buffer)) throw detached();
    } else {
        throw wrong_type();
    }
    return Located{static_cast<const uint8_t*>(data), byte_length};
}

HeldArray ArrayArgument::take(InputMode mode, size_t max_bytes) const {
    const Located located = locate();
    HeldArray held;
    held.type = type_;
    held.byte_length = std::min(located.byte_length, max_bytes);
    const bool aligned = reinterpret_cast<uintptr_t>(located.data) % glb::element_size(type_) == 0;
    // Values the addon holds are its own: borrowed in either mode (a promise's job keeps the argument).
    if (held.byte_length == 0 || own_ || (mode == InputMode::borrow && aligned)) {
        held.data = located.data;
    } else {
        held.copy = glb::allocate_input_copy(held.byte_length);
        std::memcpy(held.copy.get(), located.data, held.byte_length);
        held.data = held.copy.get();
    }
    return held;
}

void ArrayArgument::check_unchanged(const HeldArray& held, const uint8_t* result, size_t result_size) const {
    if (held.copy || own_ || held.byte_length == 0) return;  // a copy cannot change
    const Located now = locate();
    if (now.data != held.data || now.byte_length < held.byte_length)
        throw ArgumentError(ArgumentError::Kind::type,
                            name_.subject() + " was detached, resized or moved by program code while the call ran");
    const uint8_t* begin = held.data;
    const uint8_t* end = held.data + held.byte_length;
    if (held.byte_length != 0 && begin < result + result_size && result < end)
        throw ArgumentError(ArgumentError::Kind::type,
                            name_.subject() + " shares memory with the result Buffer (Buffer.allocUnsafeSlow was replaced)");
}
