// A held key and a dragged thumb at 1,000 events per second on the real window. A timer delivers
// each event at its scheduled millisecond (late ones catch up, as queued input would), through
// Qt's delivery path; the window paints whenever the event loop gets to it. Per stream it prints
//   stream <name> events=<n> seconds=<s> paints=<n> cpu_percent=<%> median_lag_ms=<ms>
//          max_lag_ms=<ms> last_picture_ms=<ms> paints_after=<n> on_screen=<yes|no>
// lags: how late each event was handled after its scheduled time;
// last_picture_ms: from the handling of the last event to the end of the paint that shows it;
// paints_after: paints once the stream stopped (more than one would be a backlog); on_screen: the
// screen then holds exactly what a fresh rendering of the surface shows.
// bench_stream [seconds]
#include "thumbdrag.h"

#include "frmmain.h"

#include "application.h"
#include "qtform.h"
#include "qtpicturebox.h"
#include "qtscrollbar.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <vector>

namespace {

double processCpuSeconds()
{
    timespec used {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return used.tv_sec + used.tv_nsec / 1e9;
}

// Knows when a paint of the surface has finished: the outermost event whose handling painted it.
class TimedApplication : public Application
{
public:
    using Application::Application;

    void watch(QWidget *surface) { m_surface = surface; }

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (receiver == m_surface && event->type() == QEvent::Paint) {
            m_painting = true;
        }
        ++m_depth;
        const bool result = Application::notify(receiver, event);
        --m_depth;
        if (m_depth == 0 && m_painting) {
            m_painting = false;
            ++paints;
            lastPaintDone = clock.nsecsElapsed();
        }
        return result;
    }

    QElapsedTimer clock;
    long long paints = 0;
    qint64 lastPaintDone = 0;

private:
    QWidget *m_surface = nullptr;
    int m_depth = 0;
    bool m_painting = false;
};

TimedApplication *timedApp()
{
    return static_cast<TimedApplication *>(QCoreApplication::instance());
}

struct StreamResult
{
    long long events = 0;
    double seconds = 0;
    long long paints = 0;
    double cpuPercent = 0;
    double medianLagMs = 0;
    double maxLagMs = 0;
    double lastPictureMs = -1;
    long long paintsAfter = 0;
    bool onScreen = false;
};

// Delivers `total` events, one each millisecond, then waits for the picture to settle.
StreamResult runStream(
    QWidget *window, QWidget *surface, int total, const std::function<void()> &deliver)
{
    TimedApplication *app = timedApp();
    StreamResult result;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);

    const qint64 start = app->clock.nsecsElapsed();
    const double cpuStart = processCpuSeconds();
    const long long paintsStart = app->paints;
    std::vector<double> lags;
    lags.reserve(total);
    qint64 lastEventHandled = 0;
    long long paintsAtEnd = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = app->clock.nsecsElapsed();
        while (result.events < total && start + result.events * 1000000 <= now) {
            const qint64 lag = app->clock.nsecsElapsed() - (start + result.events * 1000000);
            lags.push_back(lag / 1e6);
            deliver();
            ++result.events;
        }
        if (result.events == total) {
            ticker.stop();
            lastEventHandled = app->clock.nsecsElapsed();
            paintsAtEnd = app->paints;
            result.seconds = (lastEventHandled - start) / 1e9;
            result.cpuPercent = 100 * (processCpuSeconds() - cpuStart) / result.seconds;
            result.paints = paintsAtEnd - paintsStart;
            std::sort(lags.begin(), lags.end());
            result.medianLagMs = lags[lags.size() / 2];
            result.maxLagMs = lags.back();
        }
    });
    ticker.start();
    while (ticker.isActive()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    // Long enough for any backlog of paints to show itself.
    QTest::qWait(200);
    result.paintsAfter = app->paints - paintsAtEnd;
    if (result.paintsAfter > 0) {
        // The first paint after the stream is the one that shows the last event; later ones
        // would be a backlog, so take the first one's end only when it was the only one.
        result.lastPictureMs = (app->lastPaintDone - lastEventHandled) / 1e6;
    }

    const QRect area(surface->mapTo(window, QPoint(0, 0)), surface->size());
    const QImage shown
        = window->screen()
              ->grabWindow(window->winId(), area.x(), area.y(), area.width(), area.height())
              .toImage()
              .convertToFormat(QImage::Format_RGB32);
    const QImage rendered = surface->grab().toImage().convertToFormat(QImage::Format_RGB32);
    result.onScreen = !shown.isNull() && shown == rendered;
    return result;
}

void print(const char *name, const StreamResult &result)
{
    std::printf("stream %s events=%lld seconds=%.3f paints=%lld cpu_percent=%.1f "
                "median_lag_ms=%.2f max_lag_ms=%.2f "
                "last_picture_ms=%.2f paints_after=%lld on_screen=%s\n",
        name, result.events, result.seconds, result.paints, result.cpuPercent, result.medianLagMs,
        result.maxLagMs, result.lastPictureMs, result.paintsAfter, result.onScreen ? "yes" : "no");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    const int total = static_cast<int>(seconds * 1000);
    int qtArgc = 1;
    TimedApplication app(qtArgc, argv);
    app.clock.start();
    std::printf("qt %s platform %s\n", qVersion(), qPrintable(QGuiApplication::platformName()));

    QtForm window(std::make_unique<frmMain>());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        qFatal("the window was not exposed");
    }
    auto *surface = window.findChild<QtPictureBox *>(QStringLiteral("Picture1"));
    app.watch(surface);
    QTest::qWait(100);

    // A held keypad 3: key presses marked as auto-repeat, as the platform sends them.
    const QString text = QStringLiteral("3");
    print("key", runStream(&window, surface, total, [&] {
        qt_handleKeyEvent(
            window.windowHandle(), QEvent::KeyPress, Qt::Key_3, Qt::KeypadModifier, text, true);
    }));

    // scrRadius_1's thumb dragged up and down over 40 pixels, a pixel per event.
    {
        ThumbDrag drag(&window, window.findChild<QtScrollBar *>(QStringLiteral("scrRadius_1")));
        int step = 0;
        print("drag", runStream(&window, surface, total, [&] {
            drag.moveBy((step++ / 20) % 2 == 0 ? 1 : -1);
        }));
    }
    return 0;
}
