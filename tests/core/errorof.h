// The kind of RuntimeError a call throws, or nothing when it returns normally.
#pragma once

#include "runtimeerror.h"

#include <optional>
#include <ostream>

template<typename Call> std::optional<RuntimeError::Kind> errorOf(Call &&call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return error.kind();
    }
    return std::nullopt;
}

// Readable failure messages: "Overflow (6)" rather than a byte dump.
inline std::ostream &operator<<(std::ostream &out, RuntimeError::Kind kind)
{
    const RuntimeError error(kind);
    return out << error.what() << " (" << error.number() << ')';
}
