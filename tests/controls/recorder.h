// Logs notifications and the test's own marks in the order they happen, so a notification
// raised inside an assignment shows up between the marks around that assignment.
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <utility>

class Recorder
{
public:
    // Logs `entry` each time `signal` is raised, followed by `detail()` when given (the state at
    // that moment, e.g. the bar's value).
    template<typename Sender, typename Signal>
    void watch(
        Sender *sender, Signal signal, const QString &entry, std::function<QString()> detail = {})
    {
        QObject::connect(sender, signal, &m_context, [this, entry, detail] {
            m_log << (detail ? entry + QLatin1Char(' ') + detail() : entry);
        });
    }

    void mark(const QString &entry) { m_log << entry; }

    // The entries so far, emptying the log.
    QStringList take() { return std::exchange(m_log, {}); }

private:
    QObject m_context;
    QStringList m_log;
};
