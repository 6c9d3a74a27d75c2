// The anchor: its nine buttons and two scroll bars, pressed, clicked and dragged with the mouse.
#include "drawingrecorder.h"
#include "notificationspy.h"
#include "scrollbarmouse.h"
#include "testapplication.h"
#include "windowharness.h"

#include "frmmain.h"
#include "modglobalsconstants.h"

#include "controls/picturebox.h"
#include "controls/scrollbar.h"

#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <memory>

namespace {

// What one scroll notification found on the surface once the window had handled it.
struct Snapshot
{
    int value = 0;
    QPoint origin;
    QPointF base;
    QPointF post;
    QLineF arm1;
    QLineF arm2;
};

} // namespace

class TstAnchor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // The nine buttons
    void buttonPlacesAnchorOnItsGridPoint_data();
    void buttonPlacesAnchorOnItsGridPoint();
    void buttonPressDrawsOncePlusOncePerChangedBar_data();
    void buttonPressDrawsOncePlusOncePerChangedBar();

    // The two scroll bars
    void barClickMovesAnchorByItsStep_data();
    void barClickMovesAnchorByItsStep();
    void thumbDragMovesAnchorAndArmAtEveryScroll_data();
    void thumbDragMovesAnchorAndArmAtEveryScroll();
    void thumbReleasedWithoutMovingDrawsNothing_data();
    void thumbReleasedWithoutMovingDrawsNothing();

private:
    void press(int button) const;
    Snapshot snapshot(const ScrollBar *bar) const;
    // Fails the test unless the drawing shows the anchor at (x, y) with the start-up arm on it.
    void verifyAnchorDrawnAt(const Snapshot &drawn, int x, int y) const;

    std::unique_ptr<WindowHarness> m_harness;
};

void TstAnchor::init()
{
    m_harness = std::make_unique<WindowHarness>();
}

void TstAnchor::cleanup()
{
    m_harness.reset();
}

void TstAnchor::press(int button) const
{
    const QPoint centre = m_harness->centreOf(QStringLiteral("cmdOrigin_%1").arg(button));
    QTest::mouseClick(m_harness->window().windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
}

Snapshot TstAnchor::snapshot(const ScrollBar *bar) const
{
    const LineItem *arm1 = m_harness->line(1);
    const LineItem *arm2 = m_harness->line(2);
    return { bar ? bar->Value() : 0, QPoint(OriginX, OriginY),
        QPointF(m_harness->anchorBase()->Left(), m_harness->anchorBase()->Top()),
        QPointF(m_harness->anchorPost()->Left(), m_harness->anchorPost()->Top()),
        QLineF(arm1->X1(), arm1->Y1(), arm1->X2(), arm1->Y2()),
        QLineF(arm2->X1(), arm2->Y1(), arm2->X2(), arm2->Y2()) };
}

void TstAnchor::verifyAnchorDrawnAt(const Snapshot &drawn, int x, int y) const
{
    QCOMPARE(drawn.origin, QPoint(x, y));
    QCOMPARE(drawn.base, QPointF(x - 850, y + 300));
    QCOMPARE(drawn.post, QPointF(x - 125, y - 100));
    // Segment 1 (angle 0, 4000 twips) starts at the anchor; segment 2 starts at its tip.
    QCOMPARE(drawn.arm1, QLineF(x, y, x + 4000, y));
    QCOMPARE(drawn.arm2.p1(), drawn.arm1.p2());
}

// --- The nine buttons ------------------------------------------------------------------------

void TstAnchor::buttonPlacesAnchorOnItsGridPoint_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");

    // Each from the opposite place, so that every coordinate has to move.
    QTest::newRow("1 top left") << 9 << 1 << 1 << 1;
    QTest::newRow("2 top centre") << 8 << 2 << 5302 << 1;
    QTest::newRow("3 top right") << 7 << 3 << 10605 << 1;
    QTest::newRow("4 middle left") << 6 << 4 << 1 << 4822;
    QTest::newRow("5 centre, halves to even") << 1 << 5 << 5302 << 4822;
    QTest::newRow("6 middle right") << 4 << 6 << 10605 << 4822;
    QTest::newRow("7 bottom left") << 3 << 7 << 1 << 9645;
    QTest::newRow("8 bottom centre") << 2 << 8 << 5302 << 9645;
    QTest::newRow("9 bottom right") << 1 << 9 << 10605 << 9645;
}

void TstAnchor::buttonPlacesAnchorOnItsGridPoint()
{
    QFETCH(int, from);
    QFETCH(int, button);
    QFETCH(int, x);
    QFETCH(int, y);
    QCOMPARE(m_harness->surface()->Width(), 10605.0);
    QCOMPARE(m_harness->surface()->Height(), 9645.0);

    press(from);
    QVERIFY(QPoint(OriginX, OriginY) != QPoint(x, y));
    press(button);

    QCOMPARE(m_harness->scrollBar(QStringLiteral("scrOriginX"))->Value(), x);
    QCOMPARE(m_harness->scrollBar(QStringLiteral("scrOriginY"))->Value(), y);
    verifyAnchorDrawnAt(snapshot(nullptr), x, y);
}

void TstAnchor::buttonPressDrawsOncePlusOncePerChangedBar_data()
{
    QTest::addColumn<int>("from"); // 0: the centre of start-up
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("xChanges");
    QTest::addColumn<int>("yChanges");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");

    QTest::newRow("5 at the centre: once") << 0 << 5 << 0 << 0 << 5302 << 4822;
    QTest::newRow("9 at bottom right: once") << 9 << 9 << 0 << 0 << 10605 << 9645;
    QTest::newRow("4 from the centre: twice, X only") << 0 << 4 << 1 << 0 << 1 << 4822;
    QTest::newRow("6 from the centre: twice, X only") << 0 << 6 << 1 << 0 << 10605 << 4822;
    QTest::newRow("8 from the centre: twice, Y only") << 0 << 8 << 0 << 1 << 5302 << 9645;
    QTest::newRow("9 from the centre: three times") << 0 << 9 << 1 << 1 << 10605 << 9645;
    QTest::newRow("1 from bottom right: three times") << 9 << 1 << 1 << 1 << 1 << 1;
    QTest::newRow("7 from top right: three times") << 3 << 7 << 1 << 1 << 1 << 9645;
}

void TstAnchor::buttonPressDrawsOncePlusOncePerChangedBar()
{
    QFETCH(int, from);
    QFETCH(int, button);
    QFETCH(int, xChanges);
    QFETCH(int, yChanges);
    QFETCH(int, x);
    QFETCH(int, y);
    if (from != 0) {
        press(from);
    }
    DrawingRecorder recorder(m_harness->surface());
    NotificationSpy xChange((m_harness->scrollBar(QStringLiteral("scrOriginX")))->Change);
    NotificationSpy yChange((m_harness->scrollBar(QStringLiteral("scrOriginY")))->Change);

    press(button);

    QCOMPARE(xChange.count(), xChanges);
    QCOMPARE(yChange.count(), yChanges);
    const int times = 1 + xChanges + yChanges;
    QStringList expected;
    for (int i = 0; i < times; ++i) {
        expected << QStringLiteral("Anchor") << QStringLiteral("Arm1") << QStringLiteral("Arm2");
    }
    QCOMPARE(recorder.sequence(), expected);
    QVERIFY(recorder.complete());
    // Every drawing is at the new place, the first one (inside X's Change) included.
    const QList<DrawingRecorder::Drawing> &drawings = recorder.drawings();
    for (qsizetype i = 0; i < drawings.size(); i += 3) {
        verifyAnchorDrawnAt({ 0, QPoint(x, y), drawings[i].base, drawings[i].post,
                                drawings[i + 1].line, drawings[i + 2].line },
            x, y);
        if (QTest::currentTestFailed()) {
            return;
        }
    }
}

// --- The two scroll bars ---------------------------------------------------------------------

void TstAnchor::barClickMovesAnchorByItsStep_data()
{
    QTest::addColumn<int>("from"); // 0: the centre of start-up
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QStyle::SubControl>("part");
    QTest::addColumn<int>("delta");

    const QString x = QStringLiteral("scrOriginX");
    const QString y = QStringLiteral("scrOriginY");
    QTest::newRow("X right arrow +10") << 0 << x << QStyle::SC_ScrollBarAddLine << 10;
    QTest::newRow("X left arrow -10") << 0 << x << QStyle::SC_ScrollBarSubLine << -10;
    QTest::newRow("X track right of thumb +100") << 0 << x << QStyle::SC_ScrollBarAddPage << 100;
    QTest::newRow("X track left of thumb -100") << 0 << x << QStyle::SC_ScrollBarSubPage << -100;
    QTest::newRow("Y down arrow +10") << 0 << y << QStyle::SC_ScrollBarAddLine << 10;
    QTest::newRow("Y up arrow -10") << 0 << y << QStyle::SC_ScrollBarSubLine << -10;
    QTest::newRow("Y track below thumb +100") << 0 << y << QStyle::SC_ScrollBarAddPage << 100;
    QTest::newRow("Y track above thumb -100") << 0 << y << QStyle::SC_ScrollBarSubPage << -100;
    QTest::newRow("X track from the right end -100")
        << 9 << x << QStyle::SC_ScrollBarSubPage << -100;
    QTest::newRow("Y up arrow from the top end +10") << 1 << y << QStyle::SC_ScrollBarAddLine << 10;
    // A click stops at the end of the range: nothing changes, nothing is drawn.
    QTest::newRow("X left arrow at the left end") << 1 << x << QStyle::SC_ScrollBarSubLine << 0;
    QTest::newRow("Y down arrow at the bottom end") << 9 << y << QStyle::SC_ScrollBarAddLine << 0;
}

void TstAnchor::barClickMovesAnchorByItsStep()
{
    QFETCH(int, from);
    QFETCH(QString, bar);
    QFETCH(QStyle::SubControl, part);
    QFETCH(int, delta);
    if (from != 0) {
        press(from);
    }
    ScrollBar *scrollBar = m_harness->scrollBar(bar);
    const QPoint before(OriginX, OriginY);
    QCOMPARE(scrollBar->Value(), bar.endsWith('X') ? before.x() : before.y());
    DrawingRecorder recorder(m_harness->surface());
    NotificationSpy change(scrollBar->Change);
    NotificationSpy scroll(scrollBar->Scroll);

    ScrollBarMouse(scrollBar).click(part);

    const QPoint after = before + (bar.endsWith('X') ? QPoint(delta, 0) : QPoint(0, delta));
    QCOMPARE(scrollBar->Value(), bar.endsWith('X') ? after.x() : after.y());
    QCOMPARE(change.count(), delta != 0 ? 1 : 0);
    QCOMPARE(scroll.count(), 0);
    const QStringList drawn
        = delta != 0 ? QStringList { "Anchor", "Arm1", "Arm2" } : QStringList {};
    QCOMPARE(recorder.sequence(), drawn);
    verifyAnchorDrawnAt(snapshot(scrollBar), after.x(), after.y());
}

void TstAnchor::thumbDragMovesAnchorAndArmAtEveryScroll_data()
{
    QTest::addColumn<QString>("bar");

    QTest::newRow("scrOriginX") << QStringLiteral("scrOriginX");
    QTest::newRow("scrOriginY") << QStringLiteral("scrOriginY");
}

void TstAnchor::thumbDragMovesAnchorAndArmAtEveryScroll()
{
    QFETCH(QString, bar);
    ScrollBar *scrollBar = m_harness->scrollBar(bar);
    const bool horizontal = bar.endsWith('X');
    // Connected after the window's own handler: each snapshot sees what that handler drew.
    QList<Snapshot> seen;
    NotificationSpy scrolled(scrollBar->Scroll, [&] { seen << snapshot(scrollBar); });
    NotificationSpy change(scrollBar->Change);
    DrawingRecorder recorder(m_harness->surface());
    ScrollBarMouse mouse(scrollBar);

    mouse.pressThumb();
    const QPoint thumb = mouse.part(QStyle::SC_ScrollBarSlider).center();
    const int start = horizontal ? thumb.x() : thumb.y();
    int moves = 0;
    for (int along : { start - 3, start - 9, start - 9, start + 4, start + 15, mouse.trackEnd() }) {
        const int valueBefore = scrollBar->Value();
        const qsizetype scrollsBefore = seen.size();
        mouse.dragTo(along);
        // One Scroll per new thumb position, none when the value stays.
        QCOMPARE(seen.size(), scrollsBefore + (scrollBar->Value() != valueBefore ? 1 : 0));
        moves += scrollBar->Value() != valueBefore ? 1 : 0;
    }
    QCOMPARE(change.count(), 0);
    QCOMPARE(scrollBar->Value(), scrollBar->Max());
    mouse.release();
    QCOMPARE(change.count(), 1);

    QVERIFY(moves >= 4);
    QCOMPARE(seen.size(), moves);
    for (const Snapshot &step : std::as_const(seen)) {
        verifyAnchorDrawnAt(
            step, horizontal ? step.value : OriginX, horizontal ? OriginY : step.value);
        if (QTest::currentTestFailed()) {
            return;
        }
    }
    // Each Scroll drew once, and the Change on release once more at the final place.
    QCOMPARE(recorder.sequence().size(), 3 * (moves + 1));
    QVERIFY(recorder.complete());
    QCOMPARE(horizontal ? OriginX : OriginY, scrollBar->Max());
}

void TstAnchor::thumbReleasedWithoutMovingDrawsNothing_data()
{
    thumbDragMovesAnchorAndArmAtEveryScroll_data();
}

void TstAnchor::thumbReleasedWithoutMovingDrawsNothing()
{
    QFETCH(QString, bar);
    ScrollBar *scrollBar = m_harness->scrollBar(bar);
    const int before = scrollBar->Value();
    NotificationSpy change(scrollBar->Change);
    NotificationSpy scroll(scrollBar->Scroll);
    DrawingRecorder recorder(m_harness->surface());
    ScrollBarMouse mouse(scrollBar);

    mouse.pressThumb();
    mouse.release();

    QCOMPARE(scrollBar->Value(), before);
    QCOMPARE(change.count(), 0);
    QCOMPARE(scroll.count(), 0);
    QCOMPARE(recorder.sequence(), QStringList {});
}

ARMDRAW_TEST_MAIN(TstAnchor)
#include "tst_anchor.moc"
