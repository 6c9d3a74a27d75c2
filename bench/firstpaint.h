// The marker that start-up timing reads: once the first frame of the process is painted, writes
// "first-paint <CLOCK_MONOTONIC nanoseconds>" to standard output (on Windows then also
// "peak-memory <bytes>", the peak working set), and ends the program when BENCH_QUIT_AFTER_PAINT
// is set.
#pragma once

#include <QObject>

class FirstPaintMarker : public QObject
{
public:
    // Watches every widget of the application; create it before the window is shown.
    FirstPaintMarker();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void report();

    bool m_seen = false;
};
