// The Length and Width bars of both arm panels, clicked and dragged with the mouse, and the
// indexes that tie each bar to its segment.
#include "drawingrecorder.h"
#include "notificationspy.h"
#include "scrollbarmouse.h"
#include "testapplication.h"
#include "windowharness.h"

#include "frmmain.h"
#include "modglobalsconstants.h"
#include "runtimeerror.h"

#include "controls/controlarray.h"
#include "controls/picturebox.h"
#include "controls/scrollbar.h"

#include <QSignalSpy>
#include <QTest>
#include <QtMath>

#include <cmath>

#include <memory>

namespace {

QLineF lineOf(const LineItem *line)
{
    return QLineF(line->X1(), line->Y1(), line->X2(), line->Y2());
}

// Float end points a few thousand twips out carry about 0.001 twip of rounding.
bool near(QPointF a, QPointF b, double tolerance = 0.01)
{
    return QLineF(a, b).length() <= tolerance;
}

QString text(QPointF p)
{
    return QStringLiteral("(%1, %2)").arg(p.x(), 0, 'f', 4).arg(p.y(), 0, 'f', 4);
}

} // namespace

class TstLengthWidth : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Length
    void clickStepsOnlyItsOwnSegmentsLength_data();
    void clickStepsOnlyItsOwnSegmentsLength();
    void thumbAtAnEndGivesThatEndsValue_data();
    void thumbAtAnEndGivesThatEndsValue();
    void draggingLengthOneCarriesSegmentTwoAtEveryScroll();
    void lengthOneStartsSegmentTwoAtTheAnchor();

    // Width
    void widthChangeOnlyThickensItsOwnLine_data();
    void widthChangeOnlyThickensItsOwnLine();

    // Indexes
    void indexOutsideTheArraysIsSubscriptError_data();
    void indexOutsideTheArraysIsSubscriptError();

private:
    ScrollBar *bar(const QString &name) const { return m_harness->scrollBar(name); }

    std::unique_ptr<WindowHarness> m_harness;
};

void TstLengthWidth::init()
{
    m_harness = std::make_unique<WindowHarness>();
}

void TstLengthWidth::cleanup()
{
    m_harness.reset();
}

// --- Length ----------------------------------------------------------------------------------

void TstLengthWidth::clickStepsOnlyItsOwnSegmentsLength_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStyle::SubControl>("part");
    QTest::addColumn<int>("delta");

    QTest::newRow("segment 2 down arrow -1") << 2 << QStyle::SC_ScrollBarAddLine << -1;
    QTest::newRow("segment 2 up arrow +1") << 2 << QStyle::SC_ScrollBarSubLine << 1;
    QTest::newRow("segment 2 track above thumb +1") << 2 << QStyle::SC_ScrollBarSubPage << 1;
    QTest::newRow("segment 1 down arrow -1") << 1 << QStyle::SC_ScrollBarAddLine << -1;
    QTest::newRow("segment 1 track below thumb -1") << 1 << QStyle::SC_ScrollBarAddPage << -1;
}

void TstLengthWidth::clickStepsOnlyItsOwnSegmentsLength()
{
    QFETCH(int, index);
    QFETCH(QStyle::SubControl, part);
    QFETCH(int, delta);
    const int other = 3 - index;
    const int startLength = index == 1 ? 4000 : 1500;
    const int otherLength = Arm(other).Radius;
    const QLineF arm1Before = lineOf(m_harness->line(1));
    const QLineF arm2Before = lineOf(m_harness->line(2));
    ScrollBar *length = bar(QStringLiteral("scrRadius_%1").arg(index));
    NotificationSpy change(length->Change);
    DrawingRecorder recorder(m_harness->surface());

    ScrollBarMouse(length).click(part);

    QCOMPARE(change.count(), 1);
    QCOMPARE(length->Value(), startLength + delta);
    QCOMPARE(Arm(index).Radius, startLength + delta);
    QCOMPARE(Arm(other).Radius, otherLength);
    QCOMPARE(bar(QStringLiteral("scrRadius_%1").arg(other))->Value(), otherLength);
    // Whichever length changed, both segments are drawn, segment 1 first.
    QCOMPARE(recorder.sequence(), (QStringList { "Arm1", "Arm2" }));
    QVERIFY(recorder.complete());
    const QLineF arm1 = recorder.only(QStringLiteral("Arm1")).front().line;
    const QLineF arm2 = recorder.only(QStringLiteral("Arm2")).front().line;
    QCOMPARE(arm1.length(), double(Arm(1).Radius));
    QVERIFY2(
        qAbs(arm2.length() - Arm(2).Radius) < 0.01, qPrintable(QString::number(arm2.length())));
    if (index == 2) {
        QCOMPARE(arm1, arm1Before);
        QCOMPARE(arm2.p1(), arm2Before.p1());
    } else {
        QCOMPARE(arm1.p1(), arm1Before.p1());
        // Segment 2 keeps its direction and length and moves with segment 1's tip.
        QVERIFY(near(arm2.p2() - arm2.p1(), arm2Before.p2() - arm2Before.p1()));
    }
    QCOMPARE(arm2.p1(), arm1.p2());
}

void TstLengthWidth::thumbAtAnEndGivesThatEndsValue_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("toTop");
    QTest::addColumn<int>("expected");

    QTest::newRow("scrRadius_1 top") << QStringLiteral("scrRadius_1") << true << 10000;
    QTest::newRow("scrRadius_1 bottom") << QStringLiteral("scrRadius_1") << false << 1;
    QTest::newRow("scrRadius_2 top") << QStringLiteral("scrRadius_2") << true << 10000;
    QTest::newRow("scrRadius_2 bottom") << QStringLiteral("scrRadius_2") << false << 1;
    QTest::newRow("scrWidth_1 top") << QStringLiteral("scrWidth_1") << true << 50;
    QTest::newRow("scrWidth_1 bottom") << QStringLiteral("scrWidth_1") << false << 1;
    QTest::newRow("scrWidth_2 top") << QStringLiteral("scrWidth_2") << true << 50;
}

void TstLengthWidth::thumbAtAnEndGivesThatEndsValue()
{
    QFETCH(QString, name);
    QFETCH(bool, toTop);
    QFETCH(int, expected);
    ScrollBar *scrollBar = bar(name);
    const int index = name.back().digitValue();
    NotificationSpy change(scrollBar->Change);
    NotificationSpy scroll(scrollBar->Scroll);
    ScrollBarMouse mouse(scrollBar);

    mouse.pressThumb();
    mouse.dragTo(toTop ? mouse.trackStart() : mouse.trackEnd());
    QCOMPARE(scroll.count(), 1);
    QCOMPARE(change.count(), 0);
    mouse.release();

    QCOMPARE(change.count(), 1);
    QCOMPARE(scroll.count(), 1);
    QCOMPARE(scrollBar->Value(), expected);
    if (name.startsWith(QLatin1String("scrRadius"))) {
        QCOMPARE(Arm(index).Radius, expected);
        QVERIFY(qAbs(lineOf(m_harness->line(index)).length() - expected) < 0.01);
    } else {
        QCOMPARE(m_harness->line(index)->BorderWidth(), expected);
    }
}

void TstLengthWidth::draggingLengthOneCarriesSegmentTwoAtEveryScroll()
{
    // Turn both segments off the axes first (keypad 3 six times, keypad 6 twice), so that a
    // segment 2 dragged along in any wrong direction shows.
    for (int i = 0; i < 6; ++i) {
        m_harness->key(Qt::Key_3, Qt::KeypadModifier);
    }
    m_harness->key(Qt::Key_6, Qt::KeypadModifier);
    m_harness->key(Qt::Key_6, Qt::KeypadModifier);
    QCOMPARE(Arm(1).Angle, 30);
    QCOMPARE(Arm(2).Angle, 100);
    const QLineF arm2Before = lineOf(m_harness->line(2));
    const QPointF anchor(OriginX, OriginY);
    ScrollBar *length = bar(QStringLiteral("scrRadius_1"));

    struct Step
    {
        int value;
        int radius;
        QLineF arm1;
        QLineF arm2;
    };
    QList<Step> steps;
    NotificationSpy scrolled(length->Scroll, [&] {
        steps << Step { length->Value(), Arm(1).Radius, lineOf(m_harness->line(1)),
            lineOf(m_harness->line(2)) };
    });
    NotificationSpy change(length->Change);
    DrawingRecorder recorder(m_harness->surface());
    ScrollBarMouse mouse(length);

    mouse.pressThumb();
    const int start = mouse.part(QStyle::SC_ScrollBarSlider).center().y();
    for (int along : { start - 2, start - 6, start - 12, start + 3, mouse.trackEnd() }) {
        mouse.dragTo(along);
    }
    QCOMPARE(change.count(), 0);
    mouse.release();
    QCOMPARE(change.count(), 1);

    QCOMPARE(steps.size(), 5);
    QCOMPARE(recorder.sequence().size(), 2 * (steps.size() + 1));
    QVERIFY(recorder.complete());
    // 30 degrees clockwise on screen, where Y grows downwards.
    const QPointF direction30(std::cos(qDegreesToRadians(30.0)), std::sin(qDegreesToRadians(30.0)));
    for (const Step &step : std::as_const(steps)) {
        QCOMPARE(step.radius, step.value);
        QCOMPARE(step.arm1.p1(), anchor);
        const QPointF tip = anchor + step.value * direction30;
        QVERIFY2(near(step.arm1.p2(), tip, 0.05),
            qPrintable(text(step.arm1.p2()) + " at " + QString::number(step.value)));
        QCOMPARE(step.arm2.p1(), step.arm1.p2());
        QVERIFY2(near(step.arm2.p2() - step.arm2.p1(), arm2Before.p2() - arm2Before.p1()),
            qPrintable(text(step.arm2.p2() - step.arm2.p1())));
    }
    QCOMPARE(steps.back().value, 1);
}

void TstLengthWidth::lengthOneStartsSegmentTwoAtTheAnchor()
{
    ScrollBarMouse mouse(bar(QStringLiteral("scrRadius_1")));
    mouse.pressThumb();
    mouse.dragTo(mouse.trackEnd());
    mouse.release();

    QCOMPARE(Arm(1).Radius, 1);
    const QLineF arm2 = lineOf(m_harness->line(2));
    QVERIFY2(near(arm2.p1(), QPointF(OriginX, OriginY), 1.0), qPrintable(text(arm2.p1())));
    QVERIFY(qAbs(arm2.length() - 1500) < 0.01);
}

// --- Width -----------------------------------------------------------------------------------

void TstLengthWidth::widthChangeOnlyThickensItsOwnLine_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStyle::SubControl>("part"); // SC_ScrollBarSlider: a drag to the top
    QTest::addColumn<int>("expected");

    QTest::newRow("Width 1 down arrow") << 1 << QStyle::SC_ScrollBarAddLine << 19;
    QTest::newRow("Width 1 track above thumb") << 1 << QStyle::SC_ScrollBarSubPage << 21;
    QTest::newRow("Width 2 up arrow") << 2 << QStyle::SC_ScrollBarSubLine << 21;
    QTest::newRow("Width 2 track below thumb") << 2 << QStyle::SC_ScrollBarAddPage << 19;
    QTest::newRow("Width 1 thumb to the top") << 1 << QStyle::SC_ScrollBarSlider << 50;
    QTest::newRow("Width 2 thumb to the top") << 2 << QStyle::SC_ScrollBarSlider << 50;
}

void TstLengthWidth::widthChangeOnlyThickensItsOwnLine()
{
    QFETCH(int, index);
    QFETCH(QStyle::SubControl, part);
    QFETCH(int, expected);
    const int other = 3 - index;
    QCOMPARE(m_harness->line(index)->BorderWidth(), 20);
    const QLineF arm1Before = lineOf(m_harness->line(1));
    const QLineF arm2Before = lineOf(m_harness->line(2));
    ScrollBar *width = bar(QStringLiteral("scrWidth_%1").arg(index));
    // Every assignment to an item, with both lines as they stand at that moment.
    struct Assignment
    {
        QString item;
        QLineF arm1;
        QLineF arm2;
    };
    QList<Assignment> assignments;
    NotificationSpy assigned(m_harness->surface()->itemChanged, [&](const SurfaceItem &item) {
        assignments << Assignment { QString::fromStdString(item.name()), lineOf(m_harness->line(1)),
            lineOf(m_harness->line(2)) };
    });
    ScrollBarMouse mouse(width);

    if (part == QStyle::SC_ScrollBarSlider) {
        mouse.pressThumb();
        mouse.dragTo(mouse.trackStart());
        mouse.release();
    } else {
        mouse.click(part);
    }

    QCOMPARE(width->Value(), expected);
    QCOMPARE(m_harness->line(index)->BorderWidth(), expected);
    QCOMPARE(m_harness->line(other)->BorderWidth(), 20);
    QVERIFY(!assignments.isEmpty());
    for (const Assignment &assignment : std::as_const(assignments)) {
        QCOMPARE(assignment.item, QStringLiteral("Lines_%1").arg(index));
        QCOMPARE(assignment.arm1, arm1Before);
        QCOMPARE(assignment.arm2, arm2Before);
    }
}

// --- Indexes ---------------------------------------------------------------------------------

void TstLengthWidth::indexOutsideTheArraysIsSubscriptError_data()
{
    QTest::addColumn<int>("index");

    QTest::newRow("0: no member 0") << 0;
    QTest::newRow("3") << 3;
    QTest::newRow("-1") << -1;
    QTest::newRow("65537 (1 in 16 bits)") << 65537;
}

void TstLengthWidth::indexOutsideTheArraysIsSubscriptError()
{
    QFETCH(int, index);
    // The same shape as the window's arrays: members 1 and 2 only.
    ControlArray<ScrollBar> bars;
    ScrollBar first(ControlKind::VScrollBar, "first", nullptr, 0, 0, 300, 1200);
    ScrollBar second(ControlKind::VScrollBar, "second", nullptr, 0, 0, 300, 1200);
    bars.add(1, &first);
    bars.add(2, &second);
    QCOMPARE(&bars(1), &first);
    QCOMPARE(&bars(2), &second);
    QVERIFY(&Arm(1) != &Arm(2));

    const auto kindThrown = [](auto &&access) {
        try {
            access();
        } catch (const RuntimeError &error) {
            return error.kind();
        }
        return RuntimeError::Kind::Overflow; // not thrown at all: never the expected kind
    };
    QCOMPARE(kindThrown([&] { bars(index); }), RuntimeError::Kind::SubscriptOutOfRange);
    QCOMPARE(kindThrown([&] { Arm(index).Radius = 1; }), RuntimeError::Kind::SubscriptOutOfRange);
    QCOMPARE(Arm(1).Radius, 4000);
    QCOMPARE(Arm(2).Radius, 1500);
}

ARMDRAW_TEST_MAIN(TstLengthWidth)
#include "tst_lengthwidth.moc"
