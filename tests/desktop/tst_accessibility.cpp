// The window through Qt's accessibility interfaces, as a screen reader or a switch-access tool
// meets it: names, descriptions, the drawing described in words, values and press actions.
#include "accessibletree.h"
#include "notificationspy.h"
#include "windowharness.h"

#include "frmmain.h"
#include "modglobalsconstants.h"

#include "qtlabel.h"
#include "qtscrollbar.h"
#include "surfacedescription.h"

#include "controls/optionbutton.h"
#include "controls/picturebox.h"
#include "controls/scrollbar.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

namespace {

QAccessibleInterface *accessibleOf(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QString descriptionOf(QObject *object)
{
    return accessibleOf(object)->text(QAccessible::Description);
}

QString surfaceDescription(const WindowHarness &harness)
{
    return descriptionOf(WindowHarness::widget(harness.surface()));
}

// What a scroll bar's Change or Scroll moves, read back from the program's state.
enum class Effect { Arm1Radius, Arm2Radius, Line1Width, Line2Width, AnchorX, AnchorY };

int effectValue(const WindowHarness &harness, Effect effect)
{
    switch (effect) {
    case Effect::Arm1Radius:
        return Arm(1).Radius;
    case Effect::Arm2Radius:
        return Arm(2).Radius;
    case Effect::Line1Width:
        return harness.line(1)->BorderWidth();
    case Effect::Line2Width:
        return harness.line(2)->BorderWidth();
    case Effect::AnchorX:
        return OriginX;
    case Effect::AnchorY:
        return OriginY;
    }
    return -1;
}

} // namespace

Q_DECLARE_METATYPE(QAccessible::Role)
Q_DECLARE_METATYPE(Effect)

class tst_Accessibility : public QObject
{
    Q_OBJECT

private slots:
    // Names and roles
    void controlHasItsNameAndRole_data();
    void controlHasItsNameAndRole();
    void everyControlHasAName();
    void windowIsAWindow();
    void captionLabelsItsBar_data();
    void captionLabelsItsBar();

    // Hover help as descriptions
    void descriptionIsTheAreasHoverHelp_data();
    void descriptionIsTheAreasHoverHelp();

    // The drawing in words
    void surfaceDescribesTheArmAfterStartUp();
    void surfaceDescriptionFollowsTheKeypad();
    void surfaceDescriptionTellsRigidAnglesAgainstArm1();
    void surfaceDescriptionWrapsTheDirection_data();
    void surfaceDescriptionWrapsTheDirection();
    void surfaceDescriptionFollowsWidthAndAnchor();
    void surfaceAnnouncesEachChangeOnce();

    // Scroll bar values
    void scrollBarValueIsTheClassicValue_data();
    void scrollBarValueIsTheClassicValue();
    void settingAValueRaisesOneChange_data();
    void settingAValueRaisesOneChange();
    void valueBeyondTheRangeStopsAtTheEnd();
    void sameOrNonNumericValueRaisesNothing();

    // Press actions
    void anchorButtonPutsTheAnchorWhereItsNameSays_data();
    void anchorButtonPutsTheAnchorWhereItsNameSays();
    void modeButtonsSwitchByTheirToggleAction();
};

// --- Names and roles -------------------------------------------------------------------------

void tst_Accessibility::controlHasItsNameAndRole_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QAccessible::Role>("role");

    QTest::newRow("arm 1 length") << "scrRadius_1"
                                  << "Arm 1 length" << QAccessible::ScrollBar;
    QTest::newRow("arm 1 width") << "scrWidth_1"
                                 << "Arm 1 width" << QAccessible::ScrollBar;
    QTest::newRow("arm 2 length") << "scrRadius_2"
                                  << "Arm 2 length" << QAccessible::ScrollBar;
    QTest::newRow("arm 2 width") << "scrWidth_2"
                                 << "Arm 2 width" << QAccessible::ScrollBar;
    QTest::newRow("anchor x") << "scrOriginX"
                              << "Anchor X" << QAccessible::ScrollBar;
    QTest::newRow("anchor y") << "scrOriginY"
                              << "Anchor Y" << QAccessible::ScrollBar;
    const char *places[] = { "top left", "top centre", "top right", "middle left", "centre",
        "middle right", "bottom left", "bottom centre", "bottom right" };
    for (int index = 1; index <= 9; ++index) {
        const QString name = QStringLiteral("Anchor: %1").arg(QLatin1String(places[index - 1]));
        QTest::newRow(qPrintable(name))
            << QStringLiteral("cmdOrigin_%1").arg(index) << name << QAccessible::Button;
    }
    QTest::newRow("floating") << "optAngleAbsolute"
                              << "Floating" << QAccessible::RadioButton;
    QTest::newRow("rigid") << "optAngleRelative"
                           << "Rigid" << QAccessible::RadioButton;
    QTest::newRow("arm 1 panel") << "fraArm1"
                                 << "Arm 1" << QAccessible::Grouping;
    QTest::newRow("arm 2 panel") << "fraArm2"
                                 << "Arm 2" << QAccessible::Grouping;
    QTest::newRow("mode panel") << "fraArm2Mode"
                                << "Mode" << QAccessible::Grouping;
    QTest::newRow("anchor panel") << "fraOrigin"
                                  << "Anchor Location" << QAccessible::Grouping;
    QTest::newRow("hover help panel") << "fraHoverHelp"
                                      << "Hover Help" << QAccessible::Grouping;
    QTest::newRow("drawing") << "Picture1"
                             << "Drawing" << QAccessible::Canvas;
    QTest::newRow("controls label") << "lblHoverControls"
                                    << "CONTROLS" << QAccessible::StaticText;
}

void tst_Accessibility::controlHasItsNameAndRole()
{
    QFETCH(QString, objectName);
    QFETCH(QString, name);
    QFETCH(QAccessible::Role, role);

    WindowHarness harness;
    QAccessibleInterface *found = findAccessible(&harness.window(), name);
    QVERIFY2(found, qPrintable(QStringLiteral("nothing named \"%1\" in the tree").arg(name)));
    QCOMPARE(found->object()->objectName(), objectName);
    QCOMPARE(found->role(), role);
}

void tst_Accessibility::everyControlHasAName()
{
    WindowHarness harness;
    const QList<QWidget *> widgets = harness.window().findChildren<QWidget *>();
    // 5 frames, 6 labels, 2 option buttons, 6 scroll bars, 9 anchor buttons and the surface.
    QVERIFY(widgets.size() >= 29);
    for (QWidget *widget : widgets) {
        QAccessibleInterface *iface = accessibleOf(widget);
        QVERIFY2(iface, qPrintable(widget->objectName()));
        QVERIFY2(
            !iface->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(widget->objectName()));
    }
}

void tst_Accessibility::windowIsAWindow()
{
    WindowHarness harness;
    QAccessibleInterface *window = accessibleOf(&harness.window());
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Form1"));
}

void tst_Accessibility::captionLabelsItsBar_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("bar");

    QTest::newRow("arm 1 length") << "Label3"
                                  << "scrRadius_1";
    QTest::newRow("arm 1 width") << "Label1"
                                 << "scrWidth_1";
    QTest::newRow("arm 2 length") << "Label4"
                                  << "scrRadius_2";
    QTest::newRow("arm 2 width") << "Label2"
                                 << "scrWidth_2";
}

void tst_Accessibility::captionLabelsItsBar()
{
    QFETCH(QString, label);
    QFETCH(QString, bar);

    WindowHarness harness;
    QAccessibleInterface *caption = accessibleOf(harness.control<QtLabel>(label));
    QAccessibleInterface *scrollBar = accessibleOf(WindowHarness::widget(harness.scrollBar(bar)));
    const auto labelledBy = scrollBar->relations(QAccessible::Label);
    QCOMPARE(labelledBy.size(), 1);
    QCOMPARE(labelledBy.first().first->object(), caption->object());
    const auto labelFor = caption->relations(QAccessible::Labelled);
    QCOMPARE(labelFor.size(), 1);
    QCOMPARE(labelFor.first().first->object(), scrollBar->object());
}

// --- Hover help as descriptions --------------------------------------------------------------

void tst_Accessibility::descriptionIsTheAreasHoverHelp_data()
{
    QTest::addColumn<QString>("area");
    QTest::addColumn<bool>("blank");

    QTest::newRow("window background") << "" << false;
    QTest::newRow("arm 1 panel") << "fraArm1" << false;
    QTest::newRow("arm 2 panel") << "fraArm2" << false;
    QTest::newRow("mode panel") << "fraArm2Mode" << false;
    QTest::newRow("anchor panel") << "fraOrigin" << false;
    QTest::newRow("hover help panel") << "fraHoverHelp" << true;
    QTest::newRow("controls label") << "lblHoverControls" << false;
}

void tst_Accessibility::descriptionIsTheAreasHoverHelp()
{
    QFETCH(QString, area);
    QFETCH(bool, blank);

    WindowHarness harness;
    QWidget *widget = &harness.window();
    QPoint point(5, 5);
    if (!area.isEmpty()) {
        widget = harness.control<QWidget>(area);
        // A frame's own area is its border strip; a label's is all of it.
        const bool frame = area.startsWith(QLatin1String("fra"));
        point = harness.windowPos(
            widget, frame ? QPoint(3, widget->height() - 3) : widget->rect().center());
    }
    harness.moveMouse(point);

    const QString help = harness.help();
    QCOMPARE(help.isEmpty(), blank);
    QCOMPARE(descriptionOf(widget), help);
}

// --- The drawing in words --------------------------------------------------------------------

void tst_Accessibility::surfaceDescribesTheArmAfterStartUp()
{
    WindowHarness harness;
    QCOMPARE(surfaceDescription(harness),
        QStringLiteral(
            "Red arm 1: angle 0 degrees, pointing 0 degrees clockwise from right, length 4000 "
            "twips, width 20 pixels. Blue arm 2: angle 90 degrees, pointing 90 degrees clockwise "
            "from right, length 1500 twips, width 20 pixels. "
            "Mode: Floating. Anchor at X 5302, Y 4822 twips. Tip at X 9302, Y 6322 twips."));
}

void tst_Accessibility::surfaceDescriptionFollowsTheKeypad()
{
    WindowHarness harness;
    harness.key(Qt::Key_3, Qt::KeypadModifier);
    harness.key(Qt::Key_3, Qt::KeypadModifier);
    harness.key(Qt::Key_4, Qt::KeypadModifier);

    // Segment 1 at 10 degrees ends at (5302 + 4000 cos 10, 4822 + 4000 sin 10) = (9241.2, 5516.6);
    // segment 2 at 85 degrees adds (1500 cos 85, 1500 sin 85) = (130.7, 1494.3).
    const QString description = surfaceDescription(harness);
    QVERIFY2(description.contains(QLatin1String("Red arm 1: angle 10 degrees,")),
        qPrintable(description));
    QVERIFY2(description.contains(QLatin1String("Blue arm 2: angle 85 degrees,")),
        qPrintable(description));
    QVERIFY2(description.endsWith(QLatin1String("Tip at X 9372, Y 7011 twips.")),
        qPrintable(description));
}

void tst_Accessibility::surfaceDescriptionTellsRigidAnglesAgainstArm1()
{
    WindowHarness harness;
    harness.key(Qt::Key_Space);
    harness.key(Qt::Key_3, Qt::KeypadModifier);

    const QString description = surfaceDescription(harness);
    QVERIFY2(description.contains(
                 QLatin1String("Blue arm 2: angle 90 degrees to arm 1 (95 to the world),")),
        qPrintable(description));
    QVERIFY2(description.contains(QLatin1String("Mode: Rigid.")), qPrintable(description));
}

void tst_Accessibility::surfaceDescriptionWrapsTheDirection_data()
{
    QTest::addColumn<bool>("rigid");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("expected");

    QTest::newRow("keypad 3 x269") << false << Qt::Key_3 << 269
                                   << "Red arm 1: angle 1345 degrees, pointing 265 degrees "
                                      "clockwise from right,";
    QTest::newRow("keypad 1 x31") << false << Qt::Key_1 << 31
                                  << "Red arm 1: angle -155 degrees, pointing 205 degrees "
                                     "clockwise from right,";
    QTest::newRow("keypad 3 x72") << false << Qt::Key_3 << 72
                                  << "Red arm 1: angle 360 degrees, pointing 0 degrees "
                                     "clockwise from right,";
    QTest::newRow("keypad 4 x40") << false << Qt::Key_4 << 40
                                  << "Blue arm 2: angle -110 degrees, pointing 250 degrees "
                                     "clockwise from right,";
    // Rigid: arm 2 points where its angle to the world says.
    QTest::newRow("rigid, keypad 1 x40")
        << true << Qt::Key_1 << 40
        << "Blue arm 2: angle 90 degrees to arm 1 (-110 to the world), pointing 250 degrees "
           "clockwise from right,";
}

void tst_Accessibility::surfaceDescriptionWrapsTheDirection()
{
    QFETCH(bool, rigid);
    QFETCH(Qt::Key, key);
    QFETCH(int, presses);
    QFETCH(QString, expected);

    WindowHarness harness;
    if (rigid) {
        harness.key(Qt::Key_Space);
    }
    for (int press = 0; press < presses; ++press) {
        harness.key(key, Qt::KeypadModifier);
    }
    const QString description = surfaceDescription(harness);
    QVERIFY2(description.contains(expected), qPrintable(description));
}

void tst_Accessibility::surfaceDescriptionFollowsWidthAndAnchor()
{
    WindowHarness harness;
    harness.scrollBar(QStringLiteral("scrWidth_2"))->assignValue(7);
    harness.scrollBar(QStringLiteral("scrRadius_2"))->assignValue(600);
    QTest::mouseClick(harness.control<QWidget>(QStringLiteral("cmdOrigin_1")), Qt::LeftButton);

    const QString description = surfaceDescription(harness);
    QVERIFY2(description.contains(QLatin1String("length 600 twips, width 7 pixels. Mode")),
        qPrintable(description));
    QVERIFY2(description.endsWith(
                 QLatin1String("Anchor at X 1, Y 1 twips. Tip at X 4001, Y 601 twips.")),
        qPrintable(description));
}

void tst_Accessibility::surfaceAnnouncesEachChangeOnce()
{
    WindowHarness harness;
    SurfaceDescription *description
        = SurfaceDescription::of(WindowHarness::widget(harness.surface()));
    QVERIFY(description);
    QSignalSpy announced(description, &SurfaceDescription::announced);
    QStringList heard;
    connect(description, &SurfaceDescription::announced, description,
        [&] { heard.append(description->text()); });

    // One key press moves the items eight times: one notice, once the handler has finished.
    harness.key(Qt::Key_3, Qt::KeypadModifier);
    QTRY_COMPARE(announced.count(), 1);
    QTest::qWait(50);
    QCOMPARE(announced.count(), 1);
    QVERIFY2(heard.last().startsWith(QLatin1String("Red arm 1: angle 5 degrees,")),
        qPrintable(heard.last()));
    QCOMPARE(heard.last(), description->text());

    // A mode change moves nothing, yet the words change.
    harness.control<OptionButton>(QStringLiteral("optAngleRelative"))->assignValue(true);
    QTRY_COMPARE(announced.count(), 2);
    QVERIFY2(heard.last().contains(QLatin1String("Mode: Rigid.")), qPrintable(heard.last()));

    harness.scrollBar(QStringLiteral("scrWidth_1"))->assignValue(3);
    QTRY_COMPARE(announced.count(), 3);
    QVERIFY2(heard.last().contains(QLatin1String("width 3 pixels")), qPrintable(heard.last()));
}

// --- Scroll bar values -----------------------------------------------------------------------

void tst_Accessibility::scrollBarValueIsTheClassicValue_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("step");

    // The length and width bars have their larger value at the top: Qt's own position is negated.
    QTest::newRow("arm 1 length") << "Arm 1 length" << 4000 << 1 << 10000 << 1;
    QTest::newRow("arm 2 length") << "Arm 2 length" << 1500 << 1 << 10000 << 1;
    QTest::newRow("arm 1 width") << "Arm 1 width" << 20 << 1 << 50 << 1;
    QTest::newRow("arm 2 width") << "Arm 2 width" << 20 << 1 << 50 << 1;
    QTest::newRow("anchor x") << "Anchor X" << 5302 << 1 << 10605 << 10;
    QTest::newRow("anchor y") << "Anchor Y" << 4822 << 1 << 9645 << 10;
}

void tst_Accessibility::scrollBarValueIsTheClassicValue()
{
    QFETCH(QString, name);
    QFETCH(int, value);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, step);

    WindowHarness harness;
    QAccessibleInterface *bar = findAccessible(&harness.window(), name);
    QVERIFY(bar);
    QAccessibleValueInterface *values = bar->valueInterface();
    QVERIFY(values);
    QCOMPARE(values->currentValue().toInt(), value);
    QCOMPARE(values->minimumValue().toInt(), minimum);
    QCOMPARE(values->maximumValue().toInt(), maximum);
    QCOMPARE(values->minimumStepSize().toInt(), step);
    QCOMPARE(bar->text(QAccessible::Value), QString::number(value));
}

void tst_Accessibility::settingAValueRaisesOneChange_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("value");
    QTest::addColumn<Effect>("effect");

    QTest::newRow("arm 1 length") << "Arm 1 length" << 6000 << Effect::Arm1Radius;
    QTest::newRow("arm 2 length") << "Arm 2 length" << 700 << Effect::Arm2Radius;
    QTest::newRow("arm 1 width") << "Arm 1 width" << 33 << Effect::Line1Width;
    QTest::newRow("arm 2 width") << "Arm 2 width" << 5 << Effect::Line2Width;
    QTest::newRow("anchor x") << "Anchor X" << 100 << Effect::AnchorX;
    QTest::newRow("anchor y") << "Anchor Y" << 9000 << Effect::AnchorY;
}

void tst_Accessibility::settingAValueRaisesOneChange()
{
    QFETCH(QString, name);
    QFETCH(int, value);
    QFETCH(Effect, effect);

    WindowHarness harness;
    QAccessibleInterface *iface = findAccessible(&harness.window(), name);
    QVERIFY(iface);
    auto *shown = qobject_cast<QtScrollBar *>(iface->object());
    QVERIFY(shown);
    ScrollBar *bar = &shown->control();
    int valueInsideChange = 0;
    NotificationSpy changes(bar->Change, [&] { valueInsideChange = effectValue(harness, effect); });
    NotificationSpy scrolls(bar->Scroll);

    iface->valueInterface()->setCurrentValue(value);

    // The handler ran inside the assignment, as for a user's change.
    QCOMPARE(changes.count(), 1);
    QCOMPARE(scrolls.count(), 0);
    QCOMPARE(valueInsideChange, value);
    QCOMPARE(bar->Value(), value);
    QCOMPARE(iface->valueInterface()->currentValue().toInt(), value);

    // The arm follows: segment 1 starts at the anchor and segment 2 at segment 1's end.
    const LineItem *line1 = harness.line(1);
    QCOMPARE(line1->X1(), static_cast<float>(OriginX));
    QCOMPARE(line1->Y1(), static_cast<float>(OriginY));
    QCOMPARE(harness.line(2)->X1(), line1->X2());
    QCOMPARE(harness.line(2)->Y1(), line1->Y2());
    if (effect == Effect::Arm1Radius) {
        QCOMPARE(line1->X2(), static_cast<float>(OriginX + value));
    }
}

void tst_Accessibility::valueBeyondTheRangeStopsAtTheEnd()
{
    WindowHarness harness;
    QAccessibleValueInterface *length
        = findAccessible(&harness.window(), QStringLiteral("Arm 1 length"))->valueInterface();
    QAccessibleValueInterface *anchorX
        = findAccessible(&harness.window(), QStringLiteral("Anchor X"))->valueInterface();

    length->setCurrentValue(20000);
    QCOMPARE(Arm(1).Radius, 10000);
    length->setCurrentValue(-5);
    QCOMPARE(Arm(1).Radius, 1);
    anchorX->setCurrentValue(1e9);
    QCOMPARE(OriginX, 10605);
    anchorX->setCurrentValue(250.6);
    QCOMPARE(OriginX, 251);
}

void tst_Accessibility::sameOrNonNumericValueRaisesNothing()
{
    WindowHarness harness;
    QAccessibleInterface *iface = findAccessible(&harness.window(), QStringLiteral("Arm 2 length"));
    auto *shown = qobject_cast<QtScrollBar *>(iface->object());
    QVERIFY(shown);
    NotificationSpy changes(shown->control().Change);

    iface->valueInterface()->setCurrentValue(1500);
    iface->valueInterface()->setCurrentValue(QStringLiteral("long"));
    iface->valueInterface()->setCurrentValue(QVariant());

    QCOMPARE(changes.count(), 0);
    QCOMPARE(Arm(2).Radius, 1500);
}

// --- Press actions ---------------------------------------------------------------------------

void tst_Accessibility::anchorButtonPutsTheAnchorWhereItsNameSays_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");

    // The surface is 10605 x 9645 twips; halves round to even.
    QTest::newRow("top left") << "Anchor: top left" << 1 << 1;
    QTest::newRow("top centre") << "Anchor: top centre" << 5302 << 1;
    QTest::newRow("top right") << "Anchor: top right" << 10605 << 1;
    QTest::newRow("middle left") << "Anchor: middle left" << 1 << 4822;
    QTest::newRow("centre") << "Anchor: centre" << 5302 << 4822;
    QTest::newRow("middle right") << "Anchor: middle right" << 10605 << 4822;
    QTest::newRow("bottom left") << "Anchor: bottom left" << 1 << 9645;
    QTest::newRow("bottom centre") << "Anchor: bottom centre" << 5302 << 9645;
    QTest::newRow("bottom right") << "Anchor: bottom right" << 10605 << 9645;
}

void tst_Accessibility::anchorButtonPutsTheAnchorWhereItsNameSays()
{
    QFETCH(QString, name);
    QFETCH(int, x);
    QFETCH(int, y);

    WindowHarness harness;
    // Start away from every button's place, so that each press must move the anchor.
    harness.scrollBar(QStringLiteral("scrOriginX"))->assignValue(777);
    harness.scrollBar(QStringLiteral("scrOriginY"))->assignValue(555);

    QAccessibleInterface *button = findAccessible(&harness.window(), name);
    QVERIFY(button);
    QAccessibleActionInterface *actions = button->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());

    QTRY_COMPARE(OriginX, x);
    QCOMPARE(OriginY, y);
    QCOMPARE(harness.scrollBar(QStringLiteral("scrOriginX"))->Value(), x);
    QCOMPARE(harness.scrollBar(QStringLiteral("scrOriginY"))->Value(), y);
    QCOMPARE(harness.line(1)->X1(), static_cast<float>(x));
    QCOMPARE(harness.line(1)->Y1(), static_cast<float>(y));
}

void tst_Accessibility::modeButtonsSwitchByTheirToggleAction()
{
    WindowHarness harness;
    harness.key(Qt::Key_3, Qt::KeypadModifier);
    const float tipX = harness.line(2)->X2();
    const float tipY = harness.line(2)->Y2();

    // An option button offers its action as a toggle, which selects it.
    QAccessibleInterface *rigid = findAccessible(&harness.window(), QStringLiteral("Rigid"));
    QVERIFY(rigid);
    QVERIFY(rigid->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::toggleAction()));
    rigid->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QTRY_VERIFY(harness.control<OptionButton>(QStringLiteral("optAngleRelative"))->Value());
    QVERIFY(rigid->state().checked);
    QCOMPARE(Arm(2).Mode, std::string("REL"));
    QCOMPARE(Arm(2).Angle, 85);

    QAccessibleInterface *floating = findAccessible(&harness.window(), QStringLiteral("Floating"));
    floating->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QTRY_VERIFY(harness.control<OptionButton>(QStringLiteral("optAngleAbsolute"))->Value());
    QCOMPARE(Arm(2).Mode, std::string("ABS"));
    QCOMPARE(Arm(2).Angle, 90);

    // Switching converts the stored angle; the picture stays.
    QCOMPARE(harness.line(2)->X2(), tipX);
    QCOMPARE(harness.line(2)->Y2(), tipY);
}

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
