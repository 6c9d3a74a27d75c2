#include "runtimeerror.h"

namespace {

const char *describe(RuntimeError::Kind kind)
{
    switch (kind) {
    case RuntimeError::Kind::SubscriptOutOfRange:
        return "Subscript out of range";
    case RuntimeError::Kind::Overflow:
        return "Overflow";
    case RuntimeError::Kind::InvalidPropertyValue:
        return "Invalid property value";
    }
    return "Unknown error";
}

} // namespace

RuntimeError::RuntimeError(Kind kind)
    : std::runtime_error(describe(kind))
    , m_kind(kind)
{ }
