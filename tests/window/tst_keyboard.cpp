// The arm turned from the keyboard, segment 2's Floating / Rigid mode, and both at the edges of
// the 32-bit angle range; every key goes through the window, so key preview runs as in use.
#include "notificationspy.h"
#include "testapplication.h"
#include "windowharness.h"

#include "frmmain.h"
#include "modglobalsconstants.h"

#include "qtcommandbutton.h"
#include "qtscrollbar.h"

#include "controls/optionbutton.h"
#include "controls/picturebox.h"
#include "controls/scrollbar.h"

#include <QKeyCombination>
#include <QKeySequence>
#include <QLineF>
#include <QSignalSpy>
#include <QWindow>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <numbers>

namespace {

using Keys = QList<QKeyCombination>;

constexpr int32_t Highest = std::numeric_limits<int32_t>::max();
constexpr int32_t Lowest = std::numeric_limits<int32_t>::min();
// The drawing's pi: the single-precision 3.14159, which makes 360 degrees land a trace off 0.
constexpr double DrawingPi = static_cast<double>(3.14159f);

QKeyCombination keypad(Qt::Key key, Qt::KeyboardModifiers held = Qt::NoModifier)
{
    return QKeyCombination(held | Qt::KeypadModifier, key);
}

Keys repeated(QKeyCombination key, int times)
{
    return Keys(times, key);
}

struct Picture
{
    QLineF segment1;
    QLineF segment2;
};

QLineF drawn(const LineItem *line)
{
    return QLineF(line->X1(), line->Y1(), line->X2(), line->Y2());
}

Picture picture(const WindowHarness &harness)
{
    return { drawn(harness.line(1)), drawn(harness.line(2)) };
}

// Where a segment of that length, turned that many degrees, ends when it starts at start.
QPointF endFrom(QPointF start, double length, int64_t degrees)
{
    const double radians = static_cast<double>(degrees) * DrawingPi / 180.0;
    return start + QPointF(length * std::cos(radians), length * std::sin(radians));
}

double distance(QPointF a, QPointF b)
{
    return QLineF(a, b).length();
}

// A drawn segment's direction in degrees, 0 to 360, clockwise on screen from +X.
double direction(const QLineF &segment)
{
    const double degrees = std::atan2(segment.dy(), segment.dx()) * 180.0 / std::numbers::pi;
    return degrees < 0 ? degrees + 360.0 : degrees;
}

double angularGap(double a, double b)
{
    const double gap = std::fmod(std::fabs(a - b), 360.0);
    return std::min(gap, 360.0 - gap);
}

int64_t turns(int64_t degrees)
{
    return ((degrees % 360) + 360) % 360;
}

bool fits32(int64_t value)
{
    return value >= Lowest && value <= Highest;
}

QString describe(const Picture &p)
{
    return QStringLiteral("(%1, %2)-(%3, %4)-(%5, %6)")
        .arg(p.segment1.x1(), 0, 'f', 3)
        .arg(p.segment1.y1(), 0, 'f', 3)
        .arg(p.segment1.x2(), 0, 'f', 3)
        .arg(p.segment1.y2(), 0, 'f', 3)
        .arg(p.segment2.x2(), 0, 'f', 3)
        .arg(p.segment2.y2(), 0, 'f', 3);
}

} // namespace

class tst_Keyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    // Keys that turn the segments
    void keySequences_data();
    void keySequences();
    void keypadThreeSeventyTwoTimesIsAFullTurnNotZero();
    void otherKeysRedrawInPlace_data();
    void otherKeysRedrawInPlace();

    // Keys never reach the focused control
    void focusedScrollBarIgnoresNavigationKeys_data();
    void focusedScrollBarIgnoresNavigationKeys();
    void spaceDoesNotPressFocusedAnchorButton_data();
    void spaceDoesNotPressFocusedAnchorButton();
    void spaceTogglesModeWithoutMovingArm();

    // Segment 2's mode
    void modeExample_data();
    void modeExample();
    void switchingBackAndForthRestoresAngleAndPicture_data();
    void switchingBackAndForthRestoresAngleAndPicture();
    void clickOnSelectedModeButtonConvertsNothing();
    void segmentTwoTurnsWithSegmentOneOnlyWhenRigid_data();
    void segmentTwoTurnsWithSegmentOneOnlyWhenRigid();

    // The edges of the angle range
    void anglesNearTheLimits_data();
    void anglesNearTheLimits();

private:
    // Fails the test unless segment 1 runs from the anchor at arm1 degrees and segment 2 from its
    // end at world2 degrees, each end within tolerance twips.
    void verifyArmDrawn(
        const WindowHarness &harness, int64_t arm1, int64_t world2, double tolerance) const;
    void selectMode(const WindowHarness &harness, bool rigid, const QString &how) const;
    void verifyMode(const WindowHarness &harness, bool rigid) const;
};

void tst_Keyboard::initTestCase()
{
    qRegisterMetaType<const SurfaceItem *>();
}

void tst_Keyboard::verifyArmDrawn(
    const WindowHarness &harness, int64_t arm1, int64_t world2, double tolerance) const
{
    const Picture now = picture(harness);
    const QPointF anchor(OriginX, OriginY);
    QCOMPARE(now.segment1.p1(), anchor);
    const QPointF end1 = endFrom(anchor, Arm(1).Radius, arm1);
    QVERIFY2(distance(now.segment1.p2(), end1) <= tolerance, qPrintable(describe(now)));
    QCOMPARE(now.segment2.p1(), now.segment1.p2());
    const QPointF end2 = endFrom(now.segment2.p1(), Arm(2).Radius, world2);
    QVERIFY2(distance(now.segment2.p2(), end2) <= tolerance, qPrintable(describe(now)));
}

void tst_Keyboard::selectMode(const WindowHarness &harness, bool rigid, const QString &how) const
{
    const QString name
        = rigid ? QStringLiteral("optAngleRelative") : QStringLiteral("optAngleAbsolute");
    QVERIFY2(!harness.control<OptionButton>(name)->Value(), "that mode is selected already");
    if (how == QLatin1String("space")) {
        harness.key(Qt::Key_Space);
    } else {
        QTest::mouseClick(harness.window().windowHandle(), Qt::LeftButton, Qt::NoModifier,
            harness.centreOf(name));
    }
    verifyMode(harness, rigid);
}

void tst_Keyboard::verifyMode(const WindowHarness &harness, bool rigid) const
{
    QCOMPARE(harness.control<OptionButton>(QStringLiteral("optAngleRelative"))->Value(), rigid);
    QCOMPARE(harness.control<OptionButton>(QStringLiteral("optAngleAbsolute"))->Value(), !rigid);
    QCOMPARE(Arm(2).Mode, std::string(rigid ? "REL" : "ABS"));
    QCOMPARE(Arm(1).Mode, std::string());
}

// --- Keys that turn the segments ---------------------------------------------------------------

void tst_Keyboard::keySequences_data()
{
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<int>("arm1");
    QTest::addColumn<int>("arm2");
    QTest::addColumn<int>("world2"); // segment 2's direction in the world

    const QKeyCombination three = keypad(Qt::Key_3);
    const QKeyCombination one = keypad(Qt::Key_1);
    const QKeyCombination six = keypad(Qt::Key_6);
    const QKeyCombination four = keypad(Qt::Key_4);
    const QKeyCombination space(Qt::Key_Space);

    QTest::newRow("keypad 3") << Keys { three } << 5 << 90 << 90;
    QTest::newRow("keypad 1") << Keys { one } << -5 << 90 << 90;
    QTest::newRow("keypad 6") << Keys { six } << 0 << 95 << 95;
    QTest::newRow("keypad 4") << Keys { four } << 0 << 85 << 85;

    // Num Lock off: the keypad sends its navigation keys.
    QTest::newRow("keypad 3, num lock off") << Keys { keypad(Qt::Key_PageDown) } << 5 << 90 << 90;
    QTest::newRow("keypad 1, num lock off") << Keys { keypad(Qt::Key_End) } << -5 << 90 << 90;
    QTest::newRow("keypad 6, num lock off") << Keys { keypad(Qt::Key_Right) } << 0 << 95 << 95;
    QTest::newRow("keypad 4, num lock off") << Keys { keypad(Qt::Key_Left) } << 0 << 85 << 85;
    QTest::newRow("page down") << Keys { Qt::Key_PageDown } << 5 << 90 << 90;
    QTest::newRow("end") << Keys { Qt::Key_End } << -5 << 90 << 90;
    QTest::newRow("right") << Keys { Qt::Key_Right } << 0 << 95 << 95;
    QTest::newRow("left") << Keys { Qt::Key_Left } << 0 << 85 << 85;

    // Unbounded: a full turn is 360 (or -360), never wrapped back to 0.
    QTest::newRow("keypad 3 x72") << repeated(three, 72) << 360 << 90 << 90;
    QTest::newRow("keypad 1 x72") << repeated(one, 72) << -360 << 90 << 90;
    QTest::newRow("keypad 6 x72") << repeated(six, 72) << 0 << 450 << 450;
    QTest::newRow("keypad 3 x2, 6, 1, 4 x2")
        << Keys { three, three, six, one, four, four } << 5 << 85 << 85;

    // Modifiers held make no difference.
    QTest::newRow("shift held, keypad 3")
        << Keys { keypad(Qt::Key_3, Qt::ShiftModifier) } << 5 << 90 << 90;
    QTest::newRow("ctrl held, keypad 3")
        << Keys { keypad(Qt::Key_3, Qt::ControlModifier) } << 5 << 90 << 90;
    QTest::newRow("shift held, keypad 1")
        << Keys { keypad(Qt::Key_1, Qt::ShiftModifier) } << -5 << 90 << 90;
    QTest::newRow("ctrl held, keypad 6")
        << Keys { keypad(Qt::Key_6, Qt::ControlModifier) } << 0 << 95 << 95;
    QTest::newRow("shift and ctrl held, keypad 4")
        << Keys { keypad(Qt::Key_4, Qt::ShiftModifier | Qt::ControlModifier) } << 0 << 85 << 85;
    QTest::newRow("ctrl held, page down")
        << Keys { QKeyCombination(Qt::ControlModifier, Qt::Key_PageDown) } << 5 << 90 << 90;

    // Rigid: segment 2's angle is kept against segment 1.
    QTest::newRow("space, keypad 3") << Keys { space, three } << 5 << 90 << 95;
    QTest::newRow("keypad 3, space, keypad 3") << Keys { three, space, three } << 10 << 85 << 95;
    QTest::newRow("space, keypad 6") << Keys { space, six } << 0 << 95 << 95;
}

void tst_Keyboard::keySequences()
{
    QFETCH(Keys, keys);
    QFETCH(int, arm1);
    QFETCH(int, arm2);
    QFETCH(int, world2);

    WindowHarness harness;
    for (const QKeyCombination key : keys) {
        harness.key(key.key(), key.keyboardModifiers());
    }
    QCOMPARE(Arm(1).Angle, arm1);
    QCOMPARE(Arm(2).Angle, arm2);
    verifyArmDrawn(harness, arm1, world2, 0.01);
}

void tst_Keyboard::keypadThreeSeventyTwoTimesIsAFullTurnNotZero()
{
    WindowHarness harness;
    const Picture atZero = picture(harness);
    for (int press = 0; press < 72; ++press) {
        harness.key(Qt::Key_3, Qt::KeypadModifier);
    }
    QCOMPARE(Arm(1).Angle, 360);
    const Picture atFullTurn = picture(harness);
    QVERIFY2(distance(atFullTurn.segment1.p2(), atZero.segment1.p2()) < 0.05,
        qPrintable(describe(atFullTurn)));
    QVERIFY2(distance(atFullTurn.segment2.p2(), atZero.segment2.p2()) < 0.05,
        qPrintable(describe(atFullTurn)));
    // Drawn from 360 itself: the single-precision pi leaves the tip about 0.02 twip higher.
    QVERIFY2(
        atFullTurn.segment1.y2() < atZero.segment1.y2() - 0.01, qPrintable(describe(atFullTurn)));
}

void tst_Keyboard::otherKeysRedrawInPlace_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::newRow("letter A") << QKeyCombination(Qt::Key_A);
    QTest::newRow("letter J") << QKeyCombination(Qt::Key_J);
    QTest::newRow("3 on the main keyboard") << QKeyCombination(Qt::Key_3);
    QTest::newRow("keypad 5") << keypad(Qt::Key_5);
    QTest::newRow("keypad 5, num lock off") << keypad(Qt::Key_Clear);
    QTest::newRow("keypad 8") << keypad(Qt::Key_8);
    QTest::newRow("keypad 2, num lock off") << keypad(Qt::Key_Down);
    QTest::newRow("up") << QKeyCombination(Qt::Key_Up);
    QTest::newRow("home") << QKeyCombination(Qt::Key_Home);
    QTest::newRow("page up") << QKeyCombination(Qt::Key_PageUp);
    QTest::newRow("escape") << QKeyCombination(Qt::Key_Escape);
    QTest::newRow("return") << QKeyCombination(Qt::Key_Return);
    QTest::newRow("F1") << QKeyCombination(Qt::Key_F1);
    QTest::newRow("shift alone") << QKeyCombination(Qt::Key_Shift);
}

void tst_Keyboard::otherKeysRedrawInPlace()
{
    QFETCH(QKeyCombination, key);

    WindowHarness harness;
    harness.key(Qt::Key_3, Qt::KeypadModifier); // away from the start, to tell a reset apart
    const Picture before = picture(harness);
    const auto assignments = std::make_shared<QStringList>();
    harness.surface()->itemChanged.connect(
        [log = std::weak_ptr<QStringList>(assignments)](const SurfaceItem &item) {
            if (const auto alive = log.lock()) {
                *alive << QString::fromStdString(item.name());
            }
        });

    harness.key(key.key(), key.keyboardModifiers());

    QCOMPARE(Arm(1).Angle, 5);
    QCOMPARE(Arm(2).Angle, 90);
    const QStringList assigned = *assignments;
    // Both segments redrawn, segment 2 last since it starts at segment 1's end.
    QVERIFY2(assigned.count(QStringLiteral("Lines_1")) >= 4, qPrintable(assigned.join(' ')));
    QVERIFY2(assigned.count(QStringLiteral("Lines_2")) >= 4, qPrintable(assigned.join(' ')));
    QCOMPARE(assigned.first(), QStringLiteral("Lines_1"));
    QCOMPARE(assigned.last(), QStringLiteral("Lines_2"));
    QCOMPARE(picture(harness).segment1, before.segment1);
    QCOMPARE(picture(harness).segment2, before.segment2);
}

// --- Keys never reach the focused control ------------------------------------------------------

void tst_Keyboard::focusedScrollBarIgnoresNavigationKeys_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QKeyCombination>("key");

    // scrWidth_2 has the focus from start-up on.
    for (const Qt::Key key : { Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
             Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right }) {
        QTest::addRow("scrWidth_2, %s", qPrintable(QKeySequence(key).toString()))
            << QStringLiteral("scrWidth_2") << QKeyCombination(key);
    }
    QTest::newRow("scrWidth_2, keypad 8, num lock off")
        << QStringLiteral("scrWidth_2") << keypad(Qt::Key_Up);
    QTest::newRow("scrWidth_2, keypad 2, num lock off")
        << QStringLiteral("scrWidth_2") << keypad(Qt::Key_Down);
    for (const Qt::Key key :
        { Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp }) {
        QTest::addRow("scrOriginX, %s", qPrintable(QKeySequence(key).toString()))
            << QStringLiteral("scrOriginX") << QKeyCombination(key);
    }
}

void tst_Keyboard::focusedScrollBarIgnoresNavigationKeys()
{
    QFETCH(QString, bar);
    QFETCH(QKeyCombination, key);

    WindowHarness harness;
    ScrollBar *focused = harness.scrollBar(bar);
    QWidget *shown = WindowHarness::widget(focused);
    shown->setFocus();
    QCOMPARE(harness.window().focusWidget(), shown);
    const int value = focused->Value();
    NotificationSpy changes(focused->Change);
    QSignalSpy moves(qobject_cast<QAbstractSlider *>(shown), &QAbstractSlider::valueChanged);

    harness.key(key.key(), key.keyboardModifiers());

    QCOMPARE(focused->Value(), value);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(moves.count(), 0);
    QCOMPARE(harness.window().focusWidget(), shown);
    QCOMPARE(OriginX, 5302);
    QCOMPARE(harness.line(2)->BorderWidth(), 20);
}

void tst_Keyboard::spaceDoesNotPressFocusedAnchorButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("top left") << QStringLiteral("cmdOrigin_1");
    QTest::newRow("bottom right") << QStringLiteral("cmdOrigin_9");
}

void tst_Keyboard::spaceDoesNotPressFocusedAnchorButton()
{
    QFETCH(QString, button);

    WindowHarness harness;
    auto *focused = harness.control<QtCommandButton>(button);
    focused->setFocus();
    QCOMPARE(harness.window().focusWidget(), focused);
    NotificationSpy clicks(harness.control<CommandButton>(button)->Click);

    harness.key(Qt::Key_Space);

    QCOMPARE(clicks.count(), 0);
    QVERIFY(!focused->isDown());
    QCOMPARE(OriginX, 5302);
    QCOMPARE(OriginY, 4822);
    QCOMPARE(harness.scrollBar(QStringLiteral("scrOriginX"))->Value(), 5302);
    QCOMPARE(harness.scrollBar(QStringLiteral("scrOriginY"))->Value(), 4822);
    verifyMode(harness, true);
}

void tst_Keyboard::spaceTogglesModeWithoutMovingArm()
{
    WindowHarness harness;
    for (int press = 0; press < 3; ++press) {
        harness.key(Qt::Key_3, Qt::KeypadModifier);
    }
    const Picture before = picture(harness);

    harness.key(Qt::Key_Space);
    verifyMode(harness, true);
    QCOMPARE(Arm(2).Angle, 75);
    QCOMPARE(picture(harness).segment1, before.segment1);
    QCOMPARE(picture(harness).segment2, before.segment2);

    harness.key(Qt::Key_Space);
    verifyMode(harness, false);
    QCOMPARE(Arm(2).Angle, 90);
    QCOMPARE(picture(harness).segment1, before.segment1);
    QCOMPARE(picture(harness).segment2, before.segment2);
}

// --- Segment 2's mode --------------------------------------------------------------------------

void tst_Keyboard::modeExample_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("space") << QStringLiteral("space");
    QTest::newRow("mouse click") << QStringLiteral("click");
}

void tst_Keyboard::modeExample()
{
    QFETCH(QString, how);

    WindowHarness harness;
    for (int press = 0; press < 9; ++press) {
        harness.key(Qt::Key_3, Qt::KeypadModifier);
    }
    QCOMPARE(Arm(1).Angle, 45);
    QCOMPARE(Arm(2).Angle, 90);
    const Picture floating = picture(harness);

    selectMode(harness, true, how);
    QCOMPARE(Arm(2).Angle, 45);
    harness.key(Qt::Key_A); // a redraw from the converted state
    QCOMPARE(picture(harness).segment2, floating.segment2);

    harness.key(Qt::Key_3, Qt::KeypadModifier);
    QCOMPARE(Arm(1).Angle, 50);
    QCOMPARE(Arm(2).Angle, 45);
    QVERIFY(angularGap(direction(picture(harness).segment2), 95.0) < 0.001);

    selectMode(harness, false, how);
    QCOMPARE(Arm(2).Angle, 95);
    harness.key(Qt::Key_A);
    QVERIFY(angularGap(direction(picture(harness).segment2), 95.0) < 0.001);
}

void tst_Keyboard::switchingBackAndForthRestoresAngleAndPicture_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("switches");
    for (const char *how : { "space", "click" }) {
        for (const int switches : { 1, 2, 5, 8 }) {
            QTest::addRow("%s x%d", how, switches) << QString::fromLatin1(how) << switches;
        }
    }
}

void tst_Keyboard::switchingBackAndForthRestoresAngleAndPicture()
{
    QFETCH(QString, how);
    QFETCH(int, switches);

    WindowHarness harness;
    for (const Qt::Key key : { Qt::Key_3, Qt::Key_3, Qt::Key_3, Qt::Key_3, Qt::Key_3, Qt::Key_3,
             Qt::Key_6, Qt::Key_6 }) {
        harness.key(key, Qt::KeypadModifier);
    }
    QCOMPARE(Arm(1).Angle, 30);
    QCOMPARE(Arm(2).Angle, 100);
    const Picture first = picture(harness);

    bool rigid = false;
    for (int round = 1; round <= switches; ++round) {
        rigid = !rigid;
        selectMode(harness, rigid, how);
        QCOMPARE(Arm(2).Angle, rigid ? 70 : 100);
        harness.key(Qt::Key_A); // a redraw from the converted state
        QCOMPARE(picture(harness).segment1, first.segment1);
        QCOMPARE(picture(harness).segment2, first.segment2);
    }
    QCOMPARE(Arm(1).Angle, 30);
}

void tst_Keyboard::clickOnSelectedModeButtonConvertsNothing()
{
    WindowHarness harness;
    for (int press = 0; press < 3; ++press) {
        harness.key(Qt::Key_3, Qt::KeypadModifier);
    }
    for (const bool rigid : { false, true }) {
        if (rigid) {
            harness.key(Qt::Key_Space);
        }
        const int angle = Arm(2).Angle;
        const QString name
            = rigid ? QStringLiteral("optAngleRelative") : QStringLiteral("optAngleAbsolute");
        NotificationSpy clicks(harness.control<OptionButton>(name)->Click);
        QTest::mouseClick(harness.window().windowHandle(), Qt::LeftButton, Qt::NoModifier,
            harness.centreOf(name));
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(Arm(2).Angle, angle);
        verifyMode(harness, rigid);
    }
}

void tst_Keyboard::segmentTwoTurnsWithSegmentOneOnlyWhenRigid_data()
{
    QTest::addColumn<bool>("rigid");
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<int>("presses");
    QTest::addColumn<int>("turn"); // segment 1's turn in degrees

    for (const bool rigid : { false, true }) {
        const char *mode = rigid ? "rigid" : "floating";
        QTest::addRow("%s, keypad 3", mode) << rigid << keypad(Qt::Key_3) << 1 << 5;
        QTest::addRow("%s, keypad 1 x4", mode) << rigid << keypad(Qt::Key_1) << 4 << -20;
        QTest::addRow("%s, keypad 3 x25", mode) << rigid << keypad(Qt::Key_3) << 25 << 125;
    }
}

void tst_Keyboard::segmentTwoTurnsWithSegmentOneOnlyWhenRigid()
{
    QFETCH(bool, rigid);
    QFETCH(QKeyCombination, key);
    QFETCH(int, presses);
    QFETCH(int, turn);

    WindowHarness harness;
    if (rigid) {
        harness.key(Qt::Key_Space);
    }
    const double directionBefore = direction(picture(harness).segment2);
    QVERIFY(angularGap(directionBefore, 90.0) < 0.001);

    for (int press = 0; press < presses; ++press) {
        harness.key(key.key(), key.keyboardModifiers());
    }
    QCOMPARE(Arm(1).Angle, turn);
    const Picture after = picture(harness);
    QVERIFY(angularGap(direction(after.segment1), turn) < 0.001);
    QCOMPARE(after.segment2.p1(), after.segment1.p2());
    const double expected = rigid ? 90.0 + turn : 90.0;
    QVERIFY2(angularGap(direction(after.segment2), expected) < 0.001,
        qPrintable(QString::number(direction(after.segment2))));
}

// --- The edges of the angle range --------------------------------------------------------------

void tst_Keyboard::anglesNearTheLimits_data()
{
    // Steps: keypad 3, 1, 6, 4, space ' ' and a redrawing letter 'a'. pictureKept is false where a
    // conversion has to take millions of turns off an angle: whole turns are not exactly whole
    // under the drawing's single-precision pi, so there only the direction mod 360 is kept.
    QTest::addColumn<bool>("rigid");
    QTest::addColumn<int>("arm1");
    QTest::addColumn<int>("arm2");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<bool>("pictureKept");

    QTest::newRow("floating, segment 1 at the top") << false << Highest << 90 << "3" << true;
    QTest::newRow("floating, segment 1 beside the top")
        << false << Highest - 5 << 90 << "33" << true;
    QTest::newRow("floating, segment 1 at the bottom") << false << Lowest << 90 << "1" << true;
    QTest::newRow("floating, segment 1 beside the bottom")
        << false << Lowest + 5 << 90 << "11" << true;
    QTest::newRow("floating, segment 2 beside the top")
        << false << 0 << Highest - 1 << "66" << true;
    QTest::newRow("floating, segment 2 beside the bottom")
        << false << 0 << Lowest + 4 << "44" << true;
    QTest::newRow("rigid, segment 1 beside the top") << true << Highest - 2 << 10 << "33" << true;
    QTest::newRow("rigid, segment 1 beside the bottom")
        << true << Lowest + 2 << -10 << "11" << true;
    QTest::newRow("rigid, segment 2 beside the top") << true << 5 << Highest - 2 << "66" << true;
    QTest::newRow("rigid, segment 2 beside the bottom") << true << -5 << Lowest + 2 << "44" << true;
    QTest::newRow("rigid, both at the top") << true << Highest << Highest << "a3" << true;
    QTest::newRow("rigid, both at the bottom") << true << Lowest << Lowest << "a1" << true;
    QTest::newRow("to rigid beyond the top") << false << -10 << Highest - 2 << " " << true;
    QTest::newRow("to rigid beyond the bottom") << false << 10 << Lowest + 2 << " " << true;
    QTest::newRow("to floating beyond the top") << true << 10 << Highest - 2 << " " << true;
    QTest::newRow("to floating beyond the bottom") << true << -10 << Lowest + 2 << " " << true;
    QTest::newRow("floating, turning and switching at the top")
        << false << Highest - 2 << Highest - 2 << "3 36 1" << true;
    QTest::newRow("rigid, turning and switching at the bottom")
        << true << Lowest + 2 << -20 << "1 14 3" << true;
    QTest::newRow("to rigid and back, segments at opposite limits")
        << false << Lowest << Highest << "  " << false;
    QTest::newRow("to floating and back, both at the top")
        << true << Highest << Highest << "  " << false;
}

void tst_Keyboard::anglesNearTheLimits()
{
    QFETCH(bool, rigid);
    QFETCH(int, arm1);
    QFETCH(int, arm2);
    QFETCH(QString, steps);
    QFETCH(bool, pictureKept);

    WindowHarness harness;
    const int errorsBefore = TestApplication::escapedErrors();
    if (rigid) {
        harness.key(Qt::Key_Space);
    }
    Arm(1).Angle = arm1;
    Arm(2).Angle = arm2;
    // The exact angles, never brought back by whole turns.
    int64_t exact1 = arm1;
    int64_t world = int64_t { arm2 } + (rigid ? arm1 : 0);

    for (const QChar step : steps) {
        const int64_t before1 = Arm(1).Angle;
        const int64_t before2 = Arm(2).Angle;
        int64_t wanted1 = before1;
        int64_t wanted2 = before2;
        switch (step.toLatin1()) {
        case '3':
        case '1': {
            const int delta = step == QLatin1Char('3') ? 5 : -5;
            harness.key(step == QLatin1Char('3') ? Qt::Key_3 : Qt::Key_1, Qt::KeypadModifier);
            wanted1 += delta;
            exact1 += delta;
            world += rigid ? delta : 0;
            break;
        }
        case '6':
        case '4': {
            const int delta = step == QLatin1Char('6') ? 5 : -5;
            harness.key(step == QLatin1Char('6') ? Qt::Key_6 : Qt::Key_4, Qt::KeypadModifier);
            wanted2 += delta;
            world += delta;
            break;
        }
        case ' ':
            harness.key(Qt::Key_Space);
            rigid = !rigid;
            wanted2 = rigid ? before2 - before1 : before2 + before1;
            break;
        default:
            harness.key(Qt::Key_A);
            break;
        }
        const QByteArray where = "after step '" + QString(step).toLatin1() + "'";
        QCOMPARE(TestApplication::escapedErrors(), errorsBefore);
        verifyMode(harness, rigid);

        // Each stored angle is the exact result when that fits 32 bits, else the exact result
        // brought nearer zero by whole turns.
        const int64_t got[] = { Arm(1).Angle, Arm(2).Angle };
        const int64_t wanted[] = { wanted1, wanted2 };
        for (int segment = 0; segment < 2; ++segment) {
            if (fits32(wanted[segment])) {
                QVERIFY2(got[segment] == wanted[segment], where.constData());
            } else {
                QVERIFY2(turns(got[segment]) == turns(wanted[segment]), where.constData());
                QVERIFY2(std::abs(got[segment]) < std::abs(wanted[segment]), where.constData());
            }
        }
        // The mode's invariant: segment 2's stored angle names its world direction.
        const int64_t storedWorld = int64_t { Arm(2).Angle } + (rigid ? Arm(1).Angle : 0);
        QVERIFY2(turns(storedWorld) == turns(world), where.constData());
        QVERIFY2(turns(Arm(1).Angle) == turns(exact1), where.constData());

        if (pictureKept) {
            verifyArmDrawn(harness, exact1, world, 0.1);
            if (QTest::currentTestFailed()) {
                qWarning("%s", where.constData());
                return;
            }
        }
    }
}

ARMDRAW_TEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
