// A scroll bar shown by the Qt layer: real mouse input on the arrows, the track, the thumb and
// the wheel reaches the control as the classic bar's Change and Scroll (Min may exceed Max).
#include "recorder.h"
#include "testform.h"

#include "qtscrollbar.h"

#include "controls/scrollbar.h"

#include <QApplication>
#include <QMenu>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <memory>

namespace {

struct Design
{
    int min;
    int max;
    int smallChange;
    int largeChange;
    int value;
};

} // namespace

Q_DECLARE_METATYPE(Qt::Orientation)
Q_DECLARE_METATYPE(QStyle::SubControl)

class TstScrollBar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    // Clicks on the arrows and the track.
    void clickMovesByArrowOrPageStep_data();
    void clickMovesByArrowOrPageStep();
    void otherButtonsDoNothing_data();
    void otherButtonsDoNothing();

    // Dragging the thumb.
    void thumbAtAnEndGivesThatEndsValue_data();
    void thumbAtAnEndGivesThatEndsValue();
    void dragRaisesScrollPerPositionThenChange();
    void dragBackToTheStartRaisesNoChange();
    void pressAndReleaseOnTheThumbRaisesNothing();

    // The wheel.
    void wheelNotchIsOneArrowStep_data();
    void wheelNotchIsOneArrowStep();
    void wheelNotchWhileThumbHeldRaisesChange();

private:
    QtScrollBar *makeBar(Qt::Orientation orientation, const Design &design);
    QPoint inWindow(QPoint barPos) const { return m_bar->mapTo(m_window.get(), barPos); }
    void press(QPoint barPos)
    {
        QTest::mousePress(m_window->windowHandle(), Qt::LeftButton, {}, inWindow(barPos));
    }
    void moveTo(QPoint barPos) { QTest::mouseMove(m_window->windowHandle(), inWindow(barPos)); }
    void release(QPoint barPos)
    {
        QTest::mouseRelease(m_window->windowHandle(), Qt::LeftButton, {}, inWindow(barPos));
    }
    void watch();
    void wheel(QPointF barPos, int delta)
    {
        QWheelEvent event(barPos, m_bar->mapToGlobal(barPos), QPoint(), QPoint(0, delta),
            m_bar->isSliderDown() ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier,
            Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_bar, &event);
    }
    // Where the thumb's centre lies `pixels` further along the bar (down or right).
    QPoint alongFromThumb(int pixels) const;

    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<TestForm> m_form;
    QtScrollBar *m_bar = nullptr;
    ScrollBar *m_control = nullptr;
    std::unique_ptr<Recorder> m_recorder;
};

void TstScrollBar::initTestCase()
{
    // The program's style: arrows and track where its users see them.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    m_window = std::make_unique<QWidget>();
    m_window->resize(480, 480);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TstScrollBar::cleanup()
{
    m_recorder.reset();
    delete m_bar;
    m_bar = nullptr;
    m_control = nullptr;
    m_form.reset();
}

QtScrollBar *TstScrollBar::makeBar(Qt::Orientation orientation, const Design &design)
{
    m_form = std::make_unique<TestForm>();
    m_form->reportFatal = [](const std::string &message) { QFAIL(message.c_str()); };
    const bool vertical = orientation == Qt::Vertical;
    m_control = new ScrollBar(vertical ? ControlKind::VScrollBar : ControlKind::HScrollBar, "bar",
        m_form.get(), vertical ? 900 : 750, vertical ? 750 : 900, vertical ? 300 : 3000,
        vertical ? 3000 : 300);
    m_control->assignMin(design.min);
    m_control->assignMax(design.max);
    m_control->assignSmallChange(design.smallChange);
    m_control->assignLargeChange(design.largeChange);
    m_control->assignValue(design.value);
    m_bar = new QtScrollBar(*m_control, m_window.get());
    if (m_bar->geometry() != (vertical ? QRect(60, 50, 20, 200) : QRect(50, 60, 200, 20))) {
        qFatal("the bar is not where the test aims its input");
    }
    m_bar->show();
    QApplication::processEvents();
    watch();
    return m_bar;
}

void TstScrollBar::watch()
{
    m_recorder = std::make_unique<Recorder>();
    ScrollBar *bar = m_control;
    const auto value = [bar] { return QString::number(bar->Value()); };
    m_recorder->watch(bar->Change, QStringLiteral("Change"), value);
    m_recorder->watch(bar->Scroll, QStringLiteral("Scroll"), value);
}

QPoint TstScrollBar::alongFromThumb(int pixels) const
{
    const QPoint centre = m_bar->partRect(QStyle::SC_ScrollBarSlider).center();
    return m_bar->orientation() == Qt::Vertical ? centre + QPoint(0, pixels)
                                                : centre + QPoint(pixels, 0);
}

// --- Clicks on the arrows and the track

void TstScrollBar::clickMovesByArrowOrPageStep_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("start");
    QTest::addColumn<QStyle::SubControl>("part");
    QTest::addColumn<QStringList>("expected");

    const auto up = QStyle::SC_ScrollBarSubLine; // the top or left arrow
    const auto down = QStyle::SC_ScrollBarAddLine; // the bottom or right arrow
    const auto before = QStyle::SC_ScrollBarSubPage; // the track above or left of the thumb
    const auto after = QStyle::SC_ScrollBarAddPage;

    // Arrow step 10, page step 100 throughout, so the two cannot be mistaken for each other.
    QTest::newRow("reversed: up arrow raises")
        << Qt::Vertical << 10000 << 1 << 5000 << up << QStringList { "Change 5010" };
    QTest::newRow("reversed: down arrow lowers")
        << Qt::Vertical << 10000 << 1 << 5000 << down << QStringList { "Change 4990" };
    QTest::newRow("reversed: track above thumb raises")
        << Qt::Vertical << 10000 << 1 << 5000 << before << QStringList { "Change 5100" };
    QTest::newRow("reversed: track below thumb lowers")
        << Qt::Vertical << 10000 << 1 << 5000 << after << QStringList { "Change 4900" };
    QTest::newRow("reversed: up arrow stops at the top")
        << Qt::Vertical << 10000 << 1 << 9995 << up << QStringList { "Change 10000" };
    QTest::newRow("reversed: up arrow at the top")
        << Qt::Vertical << 10000 << 1 << 10000 << up << QStringList();
    QTest::newRow("reversed: down arrow stops at 1")
        << Qt::Vertical << 10000 << 1 << 5 << down << QStringList { "Change 1" };
    QTest::newRow("horizontal: left arrow")
        << Qt::Horizontal << 1 << 1000 << 500 << up << QStringList { "Change 490" };
    QTest::newRow("horizontal: right arrow")
        << Qt::Horizontal << 1 << 1000 << 500 << down << QStringList { "Change 510" };
    QTest::newRow("horizontal: track left")
        << Qt::Horizontal << 1 << 1000 << 500 << before << QStringList { "Change 400" };
    QTest::newRow("horizontal: track right")
        << Qt::Horizontal << 1 << 1000 << 500 << after << QStringList { "Change 600" };
    QTest::newRow("horizontal: track stops at the right end")
        << Qt::Horizontal << 1 << 1000 << 950 << after << QStringList { "Change 1000" };
    QTest::newRow("horizontal: left arrow stops at 1")
        << Qt::Horizontal << 1 << 1000 << 5 << up << QStringList { "Change 1" };
    QTest::newRow("horizontal: left arrow at 1")
        << Qt::Horizontal << 1 << 1000 << 1 << up << QStringList();
}

void TstScrollBar::clickMovesByArrowOrPageStep()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, start);
    QFETCH(QStyle::SubControl, part);
    QFETCH(QStringList, expected);

    makeBar(orientation, { min, max, 10, 100, start });
    const QRect area = m_bar->partRect(part);
    QVERIFY2(!area.isEmpty(), "the style gives that part no room");
    press(area.center());
    release(area.center());
    QCOMPARE(m_recorder->take(), expected);
}

void TstScrollBar::otherButtonsDoNothing_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("right button: no menu, no step") << Qt::RightButton;
    QTest::newRow("middle button: no jump") << Qt::MiddleButton;
}

void TstScrollBar::otherButtonsDoNothing()
{
    QFETCH(Qt::MouseButton, button);

    makeBar(Qt::Vertical, { 10000, 1, 10, 100, 5000 });
    // A context menu would block in its own loop: close it, but remember that it came.
    bool menuShown = false;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&menuShown] {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            menuShown = true;
            popup->close();
        }
    });
    closer.start(50);
    const QPoint track = m_bar->partRect(QStyle::SC_ScrollBarAddPage).center();
    QTest::mouseClick(m_window->windowHandle(), button, {}, inWindow(track));
    QVERIFY(!menuShown);
    QCOMPARE(m_control->Value(), 5000);
    QCOMPARE(m_recorder->take(), QStringList());
}

// --- Dragging the thumb

void TstScrollBar::thumbAtAnEndGivesThatEndsValue_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("towardsStart"); // towards the top or left end
    QTest::addColumn<int>("expected");

    QTest::newRow("length bar, thumb at the top")
        << Qt::Vertical << 10000 << 1 << 4000 << true << 10000;
    QTest::newRow("length bar, thumb at the bottom")
        << Qt::Vertical << 10000 << 1 << 4000 << false << 1;
    QTest::newRow("width bar, thumb at the top") << Qt::Vertical << 50 << 1 << 20 << true << 50;
    QTest::newRow("width bar, thumb at the bottom") << Qt::Vertical << 50 << 1 << 20 << false << 1;
    QTest::newRow("anchor bar, thumb at the left")
        << Qt::Horizontal << 1 << 1000 << 500 << true << 1;
    QTest::newRow("anchor bar, thumb at the right")
        << Qt::Horizontal << 1 << 1000 << 500 << false << 1000;
}

void TstScrollBar::thumbAtAnEndGivesThatEndsValue()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, start);
    QFETCH(bool, towardsStart);
    QFETCH(int, expected);

    makeBar(orientation, { min, max, 1, 1, start });
    // Well past the end of the bar: the thumb stops there.
    const int overshoot = towardsStart ? -250 : 250;
    const QPoint grip = alongFromThumb(0);
    press(grip);
    moveTo(alongFromThumb(overshoot / 2));
    moveTo(grip + (orientation == Qt::Vertical ? QPoint(0, overshoot) : QPoint(overshoot, 0)));
    QCOMPARE(m_control->Value(), expected);
    release(grip + (orientation == Qt::Vertical ? QPoint(0, overshoot) : QPoint(overshoot, 0)));
    QCOMPARE(m_control->Value(), expected);
    const QStringList log = m_recorder->take();
    QVERIFY(!log.isEmpty());
    QCOMPARE(log.last(), QStringLiteral("Change %1").arg(expected));
}

void TstScrollBar::dragRaisesScrollPerPositionThenChange()
{
    makeBar(Qt::Vertical, { 10000, 1, 1, 1, 5000 });
    const QPoint grip = alongFromThumb(0);
    press(grip);
    QCOMPARE(m_recorder->take(), QStringList());

    // Each Scroll comes with the value already at the thumb's new place.
    QList<int> seen;
    for (const int offset : { 20, 40, 20 }) {
        moveTo(grip + QPoint(0, offset));
        seen << m_control->Value();
        QCOMPARE(m_recorder->take(), QStringList { QStringLiteral("Scroll %1").arg(seen.last()) });
    }
    // Down on a reversed bar is towards the smaller values.
    QVERIFY(seen[0] < 5000);
    QVERIFY(seen[1] < seen[0]);
    QCOMPARE(seen[2], seen[0]);

    release(grip + QPoint(0, 20));
    QCOMPARE(m_recorder->take(), QStringList { QStringLiteral("Change %1").arg(seen[0]) });
    QCOMPARE(m_control->Value(), seen[0]);
}

void TstScrollBar::dragBackToTheStartRaisesNoChange()
{
    // 49 values over the track: every value owns a few pixels, so the start pixel gives it back.
    makeBar(Qt::Vertical, { 50, 1, 1, 1, 20 });
    const QPoint grip = alongFromThumb(0);
    press(grip);
    moveTo(grip + QPoint(0, 30));
    const int away = m_control->Value();
    QVERIFY(away < 20);
    moveTo(grip);
    release(grip);
    QCOMPARE(
        m_recorder->take(), (QStringList { QStringLiteral("Scroll %1").arg(away), "Scroll 20" }));
    QCOMPARE(m_control->Value(), 20);
}

void TstScrollBar::pressAndReleaseOnTheThumbRaisesNothing()
{
    makeBar(Qt::Horizontal, { 1, 1000, 10, 100, 500 });
    const QPoint grip = alongFromThumb(0);
    press(grip);
    release(grip);
    QCOMPARE(m_recorder->take(), QStringList());
    QCOMPARE(m_control->Value(), 500);
}

// --- The wheel

void TstScrollBar::wheelNotchIsOneArrowStep_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>(
        "deltas"); // angle deltas, 120 to a notch, positive away from the user
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("reversed: notch away raises")
        << Qt::Vertical << 10000 << 1 << 5000 << QList<int> { 120 }
        << QStringList { "Change 5010" };
    QTest::newRow("reversed: notch towards lowers")
        << Qt::Vertical << 10000 << 1 << 5000 << QList<int> { -120 }
        << QStringList { "Change 4990" };
    QTest::newRow("reversed: stops at the top")
        << Qt::Vertical << 10000 << 1 << 9995 << QList<int> { 120, 120 }
        << QStringList { "Change 10000" };
    QTest::newRow("horizontal: notch away moves left")
        << Qt::Horizontal << 1 << 1000 << 500 << QList<int> { 120 } << QStringList { "Change 490" };
    QTest::newRow("horizontal: two notches")
        << Qt::Horizontal << 1 << 1000 << 500 << QList<int> { -120, -120 }
        << QStringList { "Change 510", "Change 520" };
    QTest::newRow("half notches add up") << Qt::Horizontal << 1 << 1000 << 500
                                         << QList<int> { 60, 60 } << QStringList { "Change 490" };
    QTest::newRow("half a notch does nothing")
        << Qt::Horizontal << 1 << 1000 << 500 << QList<int> { 60 } << QStringList();
    // Browsers give a notch in pixels: Firefox 114, others 100.
    QTest::newRow("a browser's notch") << Qt::Horizontal << 1 << 1000 << 500
                                       << QList<int> { 114, 114, -100 }
                                       << QStringList { "Change 490", "Change 480", "Change 490" };
    QTest::newRow("two notches at once") << Qt::Horizontal << 1 << 1000 << 500 << QList<int> { 240 }
                                         << QStringList { "Change 490", "Change 480" };
}

void TstScrollBar::wheelNotchIsOneArrowStep()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, start);
    QFETCH(QList<int>, deltas);
    QFETCH(QStringList, expected);

    makeBar(orientation, { min, max, 10, 100, start });
    const QPointF centre = QRectF(m_bar->rect()).center();
    for (const int delta : deltas) {
        wheel(centre, delta);
    }
    QCOMPARE(m_recorder->take(), expected);
}

void TstScrollBar::wheelNotchWhileThumbHeldRaisesChange()
{
    makeBar(Qt::Vertical, { 10000, 1, 10, 100, 5000 });
    const QPoint grip = alongFromThumb(0);
    press(grip);
    wheel(grip, 120);
    QCOMPARE(m_recorder->take(), QStringList { "Change 5010" });
    // Released where it was pressed: the notch's Change was the only one.
    release(grip);
    QCOMPARE(m_recorder->take(), QStringList());
    QCOMPARE(m_control->Value(), 5010);
}

QTEST_MAIN(TstScrollBar)
#include "tst_scrollbar.moc"
