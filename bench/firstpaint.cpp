#include "firstpaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <ctime>

#ifdef Q_OS_WIN
#include <windows.h>
#include <psapi.h>
#endif

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
#ifdef Q_OS_WIN
    // Under Wine no outside tool sees the Windows process's memory; it tells it itself.
    PROCESS_MEMORY_COUNTERS counters {};
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        std::printf("peak-memory %llu\n", static_cast<unsigned long long>(counters.PeakWorkingSetSize));
    }
#endif
    std::fflush(stdout);
    if (!qEnvironmentVariableIsEmpty("BENCH_QUIT_AFTER_PAINT")) {
        QCoreApplication::quit();
    }
}
