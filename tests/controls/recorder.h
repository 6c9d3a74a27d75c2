// Logs notifications and the test's own marks in the order they happen, so a notification
// raised inside an assignment shows up between the marks around that assignment.
#pragma once

#include "controls/notification.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <utility>

class Recorder
{
public:
    // Logs `entry` each time the notification is raised, followed by `detail()` when given (the
    // state at that moment, e.g. the bar's value). A notification keeps its handlers: the log is
    // shared with them and outlives the recorder safely.
    template<typename... Args>
    void watch(Notification<Args...> &notification, const QString &entry,
        std::function<QString()> detail = {})
    {
        notification.connect([log = std::weak_ptr<QStringList>(m_log), entry, detail](Args...) {
            if (const auto alive = log.lock()) {
                *alive << (detail ? entry + QLatin1Char(' ') + detail() : entry);
            }
        });
    }

    void mark(const QString &entry) { *m_log << entry; }

    // The entries so far, emptying the log.
    QStringList take() { return std::exchange(*m_log, {}); }

private:
    std::shared_ptr<QStringList> m_log = std::make_shared<QStringList>();
};
