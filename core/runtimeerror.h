// The one error type of the program's fatal run-time errors.
#pragma once

#include <stdexcept>

class RuntimeError : public std::runtime_error
{
public:
    // The classic run-time error numbers, so a report reads as users of the old program knew it.
    enum class Kind { SubscriptOutOfRange = 9, Overflow = 6, InvalidPropertyValue = 380 };

    explicit RuntimeError(Kind kind);

    Kind kind() const { return m_kind; }
    int number() const { return static_cast<int>(m_kind); }

private:
    Kind m_kind;
};
