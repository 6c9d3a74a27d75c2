// Input to pixels on the real window, offscreen: one event through Qt's delivery path (key preview
// included), then the paint of what it changed into the window's backing store, an image. A
// repaint of the whole drawing surface is measured beside it for the ratio.
//
// bench_keypath [Google Benchmark options]   time per step (CPU), painted pixels, allocations
// bench_keypath --instructions N             N steps of each kind for callgrind, one dump each
#include "allocationcount.h"
#include "thumbdrag.h"

#include "frmmain.h"

#include "application.h"
#include "qtform.h"
#include "qtpicturebox.h"
#include "qtscrollbar.h"

#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <QPaintEvent>
#include <QTest>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace {

// frmMain with its key handler callable directly, to tell the handler's share from delivery's.
class BenchWindow : public frmMain
{
public:
    using frmMain::Form_KeyDown;
};

// Paints of one widget and the pixels they covered.
class PaintMeter : public QObject
{
public:
    explicit PaintMeter(QWidget *widget) { widget->installEventFilter(this); }

    qint64 paints = 0;
    qint64 pixels = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            for (const QRect &rect : static_cast<QPaintEvent *>(event)->region()) {
                pixels += qint64(rect.width()) * rect.height();
            }
        }
        return false;
    }
};

struct Scene
{
    Scene()
    {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            qFatal("the window was not exposed");
        }
        surface = window.findChild<QtPictureBox *>(QStringLiteral("Picture1"));
        radius1 = window.findChild<QtScrollBar *>(QStringLiteral("scrRadius_1"));
        originX = window.findChild<QtScrollBar *>(QStringLiteral("scrOriginX"));
        meter = std::make_unique<PaintMeter>(surface);
        paintPending();
    }

    // Qt posts one update request per window however many changes came before it; this is
    // the event loop's next turn, painting what is dirty into the backing store.
    static void paintPending() { QCoreApplication::sendPostedEvents(); }

    void pressKeypad3() const
    {
        qt_handleKeyEvent(
            window.windowHandle(), QEvent::KeyPress, Qt::Key_3, Qt::KeypadModifier, keypad3Text);
    }

    void pressKeypad6() const
    {
        qt_handleKeyEvent(
            window.windowHandle(), QEvent::KeyPress, Qt::Key_6, Qt::KeypadModifier, keypad6Text);
    }

    QtForm window { std::make_unique<BenchWindow>() };
    BenchWindow &logic = static_cast<BenchWindow &>(window.form());
    QtPictureBox *surface = nullptr;
    QtScrollBar *radius1 = nullptr;
    QtScrollBar *originX = nullptr;
    std::unique_ptr<PaintMeter> meter;
    const QString keypad3Text = QStringLiteral("3");
    const QString keypad6Text = QStringLiteral("6");
};

Scene *scene = nullptr;

// Painted pixels and heap allocations per iteration, from the differences over the run.
class PerStep
{
public:
    explicit PerStep(benchmark::State &state)
        : m_state(state)
        , m_pixels(scene->meter->pixels)
        , m_paints(scene->meter->paints)
        , m_allocations(AllocationCount::total())
    { }
    // For steps whose timed part is smaller than the iteration: the allocations of that part.
    void replaceAllocations(std::uint64_t allocations) { m_ownAllocations = allocations; }

    ~PerStep()
    {
        const auto perStep = benchmark::Counter::kAvgIterations;
        m_state.counters["pixels"]
            = benchmark::Counter(double(scene->meter->pixels - m_pixels), perStep);
        m_state.counters["paints"]
            = benchmark::Counter(double(scene->meter->paints - m_paints), perStep);
        const std::uint64_t allocations
            = m_ownAllocations ? *m_ownAllocations : AllocationCount::total() - m_allocations;
        m_state.counters["allocs"] = benchmark::Counter(double(allocations), perStep);
        if (m_state.counters.find("scrolls") == m_state.counters.end()) {
            m_state.counters["scrolls"] = 0;
        }
    }

private:
    benchmark::State &m_state;
    qint64 m_pixels;
    qint64 m_paints;
    std::uint64_t m_allocations;
    std::optional<std::uint64_t> m_ownAllocations;
};

void KeyPressToPixels(benchmark::State &state)
{
    PerStep perStep(state);
    for (auto _ : state) {
        scene->pressKeypad3();
        Scene::paintPending();
    }
}

// Segment 2 alone turns: segment 1 is assigned the places it already has.
void Keypad6PressToPixels(benchmark::State &state)
{
    PerStep perStep(state);
    for (auto _ : state) {
        scene->pressKeypad6();
        Scene::paintPending();
    }
}

void KeyPressFullRepaint(benchmark::State &state)
{
    PerStep perStep(state);
    for (auto _ : state) {
        scene->pressKeypad3();
        scene->surface->update();
        Scene::paintPending();
    }
}

void KeyHandlerOnly(benchmark::State &state)
{
    PerStep perStep(state);
    std::uint64_t allocations = 0;
    for (auto _ : state) {
        int keyCode = 99;
        const std::uint64_t before = AllocationCount::total();
        scene->logic.Form_KeyDown(keyCode, 0);
        allocations += AllocationCount::total() - before;
        state.PauseTiming();
        Scene::paintPending();
        state.ResumeTiming();
    }
    perStep.replaceAllocations(allocations);
}

void dragToPixels(benchmark::State &state, QtScrollBar *bar)
{
    ThumbDrag drag(&scene->window, bar);
    Scene::paintPending();
    PerStep perStep(state);
    int direction = 1;
    for (auto _ : state) {
        // A pixel at a time, back and forth: every step moves the thumb and raises one Scroll.
        drag.moveBy(direction);
        direction = -direction;
        Scene::paintPending();
    }
    state.counters["scrolls"]
        = benchmark::Counter(double(drag.scrolls()), benchmark::Counter::kAvgIterations);
}

void ScrollRadius1ToPixels(benchmark::State &state)
{
    dragToPixels(state, scene->radius1);
}

void ScrollOriginXToPixels(benchmark::State &state)
{
    dragToPixels(state, scene->originX);
}

void FullSurfaceRepaint(benchmark::State &state)
{
    PerStep perStep(state);
    for (auto _ : state) {
        scene->surface->update();
        Scene::paintPending();
    }
}

BENCHMARK(KeyPressToPixels);
BENCHMARK(Keypad6PressToPixels);
BENCHMARK(ScrollRadius1ToPixels);
BENCHMARK(ScrollOriginXToPixels);
BENCHMARK(FullSurfaceRepaint);
BENCHMARK(KeyPressFullRepaint);
BENCHMARK(KeyHandlerOnly);

// Under callgrind (--instr-atstart=no): each kind of step n times, one dump per kind, named after
// it.
template<typename Step> void countInstructions(const char *name, int n, Step &&step)
{
    step();
    Scene::paintPending();
    CALLGRIND_START_INSTRUMENTATION;
    CALLGRIND_ZERO_STATS;
    for (int i = 0; i < n; ++i) {
        step();
    }
    CALLGRIND_DUMP_STATS_AT(name);
    CALLGRIND_STOP_INSTRUMENTATION;
}

int countAll(int n)
{
    countInstructions("KeyPressToPixels", n, [] {
        scene->pressKeypad3();
        Scene::paintPending();
    });
    countInstructions("Keypad6PressToPixels", n, [] {
        scene->pressKeypad6();
        Scene::paintPending();
    });
    {
        ThumbDrag drag(&scene->window, scene->radius1);
        int direction = 1;
        countInstructions("ScrollRadius1ToPixels", n, [&] {
            drag.moveBy(direction);
            direction = -direction;
            Scene::paintPending();
        });
    }
    {
        ThumbDrag drag(&scene->window, scene->originX);
        int direction = 1;
        countInstructions("ScrollOriginXToPixels", n, [&] {
            drag.moveBy(direction);
            direction = -direction;
            Scene::paintPending();
        });
    }
    countInstructions("FullSurfaceRepaint", n, [] {
        scene->surface->update();
        Scene::paintPending();
    });
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const bool instructions = argc == 3 && std::strcmp(argv[1], "--instructions") == 0;
    const int steps = instructions ? std::atoi(argv[2]) : 0;
    if (!instructions) {
        benchmark::Initialize(&argc, argv);
    }
    int qtArgc = 1;
    Application app(qtArgc, argv);
    Scene theScene;
    scene = &theScene;
    if (instructions) {
        return countAll(steps);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
