// The classic number of the RuntimeError a call throws (380, 9, 6), or 0 when it returns.
#pragma once

#include "runtimeerror.h"

template<typename Call> int errorNumber(Call &&call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return error.number();
    }
    return 0;
}
