#include "firstpaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <ctime>

FirstPaintMarker::FirstPaintMarker()
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool FirstPaintMarker::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Paint && !m_seen) {
        m_seen = true;
        // The first paint event starts the frame; the timer fires once the whole window is
        // painted and handed to the display.
        QTimer::singleShot(0, this, &FirstPaintMarker::report);
    }
    return false;
}

void FirstPaintMarker::report()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf(
        "first-paint %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fflush(stdout);
    if (!qEnvironmentVariableIsEmpty("BENCH_QUIT_AFTER_PAINT")) {
        QCoreApplication::quit();
    }
}
