#include "output_buffer.h"

#include "number_arguments.h"

namespace {

const ArgumentName kInto{"into", true};

ArgumentError wrong_kind(napi_env env, napi_value value) {
    return ArgumentError(ArgumentError::Kind::type,
                         kInto.subject() + " must be an instance of Buffer, TypedArray, DataView or ArrayBuffer. " +
                             describe_received(env, value));
}

}  // namespace

napi_value read_into(napi_env env, napi_value value, InputMode mode) {
    if (is_absent(env, value)) return nullptr;
    if (mode == InputMode::copy)
        throw ArgumentError(ArgumentError::Kind::type,
                            kInto.subject() + " is not taken by the promise forms: they write on the thread pool, "
                                              "where the program could transfer or free the Buffer meanwhile. Call "
                                              "the function that returns at once");
    locate_into(env, value);  // refuses a wrong kind or a detached buffer at once
    return value;
}

OutputMemory locate_into(napi_env env, napi_value into) {
    OutputMemory out;
    void* data = nullptr;
    if (is_array_buffer(env, into)) {
        out.array_buffer = into;
        check(env, napi_get_arraybuffer_info(env, into, &data, &out.byte_length));
    } else if (is_typed_array(env, into)) {
        napi_typedarray_type kind;
        size_t length = 0;
        check(env, napi_get_typedarray_info(env, into, &kind, &length, &data, &out.array_buffer, &out.offset));
        glb::ElementType type = glb::ElementType::uint8;
        if (!element_type_of(kind, type)) throw wrong_kind(env, into);
        out.byte_length = length * glb::element_size(type);
    } else if (is_data_view(env, into)) {
        check(env, napi_get_dataview_info(env, into, &out.byte_length, &data, &out.array_buffer, &out.offset));
    } else {
        throw wrong_kind(env, into);
    }
    // A view over a SharedArrayBuffer: Node-API does not count that as an ArrayBuffer.
    if (!is_array_buffer(env, out.array_buffer))
        throw ArgumentError(ArgumentError::Kind::type,
                            kInto.subject() + " must not be shared memory (a SharedArrayBuffer): another thread could "
                                              "change the file while it is written");
    if (is_detached(env, out.array_buffer))
        throw ArgumentError(ArgumentError::Kind::type, kInto.subject() + " is a detached ArrayBuffer or a view of one");
    out.data = static_cast<uint8_t*>(data);
    return out;
}
