#include "modglobalsconstants.h"

#include "runtimeerror.h"

ArmState &ArmArray::operator()(int index)
{
    if (index < 1 || index > static_cast<int>(m_segments.size())) {
        throw RuntimeError(RuntimeError::Kind::SubscriptOutOfRange);
    }
    return m_segments[static_cast<size_t>(index - 1)];
}
