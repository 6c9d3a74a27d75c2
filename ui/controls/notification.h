// A control's notification: the handlers connected to it run in order, at once, when it is raised.
#pragma once

#include <functional>
#include <utility>
#include <vector>

template<typename... Args> class Notification
{
public:
    using Handler = std::function<void(Args...)>;

    void connect(Handler handler) { m_handlers.push_back(std::move(handler)); }
    bool connected() const { return !m_handlers.empty(); }

    // Runs every handler before returning: a notification raised by an assignment runs inside
    // the assigning handler.
    void operator()(Args... args) const
    {
        for (const Handler &handler : m_handlers) {
            handler(args...);
        }
    }

private:
    std::vector<Handler> m_handlers;
};
