#pragma once

#include "platform/RuntimeError.h"

// The run-time error that f raises; 0 where it raises none.
template<typename F>
RuntimeError::Code errorCodeOf(F &&f)
{
    try {
        f();
    } catch (const RuntimeError &error) {
        return error.code();
    }
    return RuntimeError::Code(0);
}
