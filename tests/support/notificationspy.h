// Counts a control's notifications, as QSignalSpy counts a signal's, and can run a check inside
// each one. The count outlives the spy safely: a notification keeps its handlers.
#pragma once

#include "controls/notification.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <type_traits>

template<typename... Args> class NotificationSpy
{
public:
    explicit NotificationSpy(Notification<Args...> &notification,
        std::type_identity_t<std::function<void(Args...)>> inside = {})
        : m_state(std::make_shared<State>(State { 0, std::move(inside) }))
    {
        notification.connect([state = std::weak_ptr<State>(m_state)](Args... args) {
            if (const auto alive = state.lock()) {
                ++alive->count;
                if (alive->inside) {
                    alive->inside(args...);
                }
            }
        });
    }

    std::ptrdiff_t count() const { return m_state->count; }
    void clear() { m_state->count = 0; }

private:
    struct State
    {
        std::ptrdiff_t count;
        std::function<void(Args...)> inside;
    };
    std::shared_ptr<State> m_state;
};
