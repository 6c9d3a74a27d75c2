// Controls that share one name and one set of handlers, addressed by index.
#pragma once

#include "notification.h"
#include "runtimeerror.h"

#include <functional>
#include <map>

template<typename Member> class ControlArray
{
public:
    void add(int index, Member *member) { m_members[index] = member; }

    // Throws RuntimeError (SubscriptOutOfRange) for an index with no member.
    Member &operator()(int index) const
    {
        const auto found = m_members.find(index);
        if (found == m_members.end()) {
            throw RuntimeError(RuntimeError::Kind::SubscriptOutOfRange);
        }
        return *found->second;
    }

    // Connects a notification of every member to one handler, which receives the member's index.
    void connect(Notification<> Member::*notification, const std::function<void(int)> &handler) const
    {
        for (const auto &[index, member] : m_members) {
            (member->*notification).connect([handler, index = index] { handler(index); });
        }
    }

private:
    std::map<int, Member *> m_members;
};
