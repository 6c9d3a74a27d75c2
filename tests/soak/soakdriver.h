// A seeded stream of random user input sent to the real window, checked after every event.
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <Qt>

#include <cstdint>
#include <deque>
#include <functional>
#include <random>

class QtScrollBar;
class SoakModel;
class WindowHarness;

class SoakDriver
{
public:
    SoakDriver(WindowHarness &harness, SoakModel &model, uint64_t seed);

    void setVerbose(bool verbose) { m_verbose = verbose; }

    // Makes the run start with segment 1's angle and segment 2's world angle near the 32-bit
    // limits: both near one limit (and put back there every few hundred actions), or segment 1
    // near one and segment 2 near the other.
    void startNearLimits(bool opposite);

    // Sends random actions until `events` input events have gone out or a check has failed.
    void run(int64_t events);

    int64_t eventsSent() const { return m_events; }
    // Empty while every check has held; else what failed, at event eventsSent().
    QString failure() const { return m_failure; }
    // The actions before the failure, oldest first, each with the index of its first event.
    QStringList recentActions() const;

private:
    enum class Mouse { Press, Release, Move };

    // One input event: sends it, checks the window and the model, and says whether to go on.
    bool deliver(const std::function<void()> &send);
    void beginAction(const QString &description);

    void putAnglesNearLimits(bool opposite);
    void sendRandomAction();
    void keyClick(int key, Qt::KeyboardModifiers modifiers);
    void autoRepeatBurst();
    void focusKey();
    void arrowOrTrackClick(bool track);
    void thumbDrag();
    void wheel();
    void optionClick();
    void anchorClick();
    void pointerMove();
    void clickAnywhere();
    void click(QPoint windowPos, Qt::MouseButton button);

    bool keyEvent(bool press, int key, Qt::KeyboardModifiers modifiers, bool autoRepeat);
    bool mouseEvent(Mouse action, Qt::MouseButton button, QPoint windowPos);
    int randomKey(Qt::KeyboardModifiers &modifiers);
    QtScrollBar *randomBar(QString &name);
    QPoint randomPointIn(const QRect &rect);
    int below(int bound);
    bool chance(int percent) { return below(100) < percent; }

    WindowHarness &m_harness;
    SoakModel &m_model;
    std::mt19937_64 m_random;
    int64_t m_events = 0;
    int64_t m_limit = 0;
    int64_t m_actions = 0;
    QString m_failure;
    bool m_verbose = false;
    bool m_nearLimits = false;
    bool m_oppositeLimits = false;
    std::deque<QString> m_recent;
};
