// The help line under the pointer: paths across the window and the caption after each point.
#include "testapplication.h"
#include "windowharness.h"

#include "frmmain.h"

#include <QTest>
#include <QWidget>

#include <memory>

namespace {

const QString KeypadHelp = QStringLiteral(
    "Use numeric keypad to control angle of arms:  - Bottom row (1 and 3) for red arm - - Middle "
    "row (4 and 6) for blue - Laptops - look for number keys near U I O and J K L - might have to "
    "hold FN key down.");
const QString Background = QStringLiteral("Hover mouse over areas for help here...");
const QString Arm1 = QStringLiteral("Controls for Arm1.");
const QString Arm2 = QStringLiteral("Controls for Arm2.");
const QString Mode = QStringLiteral("Select RIGID to maintain Arm2's angle with Arm 1, FLOATING to "
                                    "maintain its angle with the world. ");
const QString Anchor = QStringLiteral(
    "Use the sliders or the pushbuttons to position the anchor point anywhere on the screen.");
const QString Blank;
const QString Keys = QStringLiteral("CONTROLS - Keypad 1 and 3 for Arm1, 4 and 6 for Arm2.  "
                                    "Laptops, look for FN keys on (J,L) and (U,O) respectively.  "
                                    "SpaceBar to change Arm2's Mode. ");

// One point of a path: the control it lands on, a spot on it (a null point: its centre), and the
// help text expected once the pointer is there.
struct Step
{
    QString control;
    QPoint spot;
    QString caption;
};

// Spots on the frames' own area, away from their child controls (in the frame's pixels).
const QPoint Arm1Bare(50, 200);
const QPoint Arm1Caption(40, 4);
const QPoint Arm2Bare(50, 60);
const QPoint ModeBare(2, 45);
const QPoint OriginBare(140, 60);
const QPoint HoverHelpBorder(2, 30);
const QPoint HoverHelpCaption(30, 4);
// The window's own background, between the surface and the arm panels (in window pixels).
const QPoint BackgroundSpot(733, 150);
// A bare spot on the surface, away from the arm and the anchor (in the surface's pixels).
const QPoint SurfaceBare(20, 20);

} // namespace

class TstHoverHelp : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pathShowsHelpOfEachArea_data();
    void pathShowsHelpOfEachArea();

private:
    std::unique_ptr<WindowHarness> m_harness;
};

void TstHoverHelp::init()
{
    m_harness = std::make_unique<WindowHarness>();
}

void TstHoverHelp::cleanup()
{
    m_harness.reset();
}

void TstHoverHelp::pathShowsHelpOfEachArea_data()
{
    QTest::addColumn<QList<Step>>("path");

    const QString window = QStringLiteral("frmMain");
    QTest::newRow("start-up, before any move") << QList<Step> {};
    QTest::newRow("background, Arm 1 panel, its Length bar")
        << QList<Step> { { window, BackgroundSpot, Background }, { "fraArm1", Arm1Bare, Arm1 },
               { "scrRadius_1", {}, Arm1 } };
    QTest::newRow("Hover Help border, CONTROLS, help line")
        << QList<Step> { { "fraHoverHelp", HoverHelpBorder, Blank },
               { "lblHoverControls", {}, Keys }, { "lblInfo", {}, Keys } };
    QTest::newRow("background, then Width label of Arm 1")
        << QList<Step> { { window, BackgroundSpot, Background }, { "Label1", {}, Background } };
    QTest::newRow("controls without a handler keep the start-up text")
        << QList<Step> { { "Picture1", SurfaceBare, KeypadHelp }, { "Picture1", {}, KeypadHelp },
               { "scrWidth_2", {}, KeypadHelp }, { "Label3", {}, KeypadHelp },
               { "optAngleRelative", {}, KeypadHelp }, { "cmdOrigin_9", {}, KeypadHelp },
               { "lblInfo", {}, KeypadHelp } };
    QTest::newRow("Arm 1 caption, then the surface")
        << QList<Step> { { "fraArm1", Arm1Caption, Arm1 }, { "Picture1", SurfaceBare, Arm1 },
               { "Picture1", {}, Arm1 } };
    QTest::newRow("Arm 2 panel, its bars and labels")
        << QList<Step> { { "fraArm2", Arm2Bare, Arm2 }, { "scrWidth_2", {}, Arm2 },
               { "Label2", {}, Arm2 }, { "Label4", {}, Arm2 }, { "scrRadius_2", {}, Arm2 } };
    QTest::newRow("Mode panel, its option buttons, back to Arm 2")
        << QList<Step> { { "fraArm2Mode", ModeBare, Mode }, { "optAngleAbsolute", {}, Mode },
               { "optAngleRelative", {}, Mode }, { "fraArm2", Arm2Bare, Arm2 },
               { "fraArm2Mode", ModeBare, Mode } };
    QTest::newRow("Anchor panel, its buttons and bars")
        << QList<Step> { { "fraOrigin", OriginBare, Anchor }, { "cmdOrigin_5", {}, Anchor },
               { "cmdOrigin_1", {}, Anchor }, { "scrOriginX", {}, Anchor },
               { "scrOriginY", {}, Anchor } };
    QTest::newRow("CONTROLS, Hover Help caption, CONTROLS again, surface")
        << QList<Step> { { "lblHoverControls", {}, Keys },
               { "fraHoverHelp", HoverHelpCaption, Blank }, { "lblHoverControls", {}, Keys },
               { "Picture1", {}, Keys } };
    QTest::newRow("blank help stays blank over the surface and the help line")
        << QList<Step> { { "fraHoverHelp", HoverHelpBorder, Blank }, { "Picture1", {}, Blank },
               { "lblInfo", {}, Blank } };
    QTest::newRow("every panel in turn")
        << QList<Step> { { "fraOrigin", OriginBare, Anchor }, { "fraArm1", Arm1Bare, Arm1 },
               { window, BackgroundSpot, Background }, { "fraArm2", Arm2Bare, Arm2 },
               { "fraHoverHelp", HoverHelpBorder, Blank }, { "fraArm2Mode", ModeBare, Mode } };
}

void TstHoverHelp::pathShowsHelpOfEachArea()
{
    QFETCH(QList<Step>, path);
    QWidget &window = m_harness->window();
    QCOMPARE(m_harness->help(), KeypadHelp);

    for (const Step &step : std::as_const(path)) {
        QWidget *control = step.control == QLatin1String("frmMain")
            ? &window
            : m_harness->control<QWidget>(step.control);
        const QPoint local = step.spot.isNull() ? control->rect().center() : step.spot;
        const QPoint pos = m_harness->windowPos(control, local);
        // The point must land on the named control itself, not on one of its children.
        QWidget *under = window.childAt(pos);
        QCOMPARE(under ? under->objectName() : QStringLiteral("frmMain"), step.control);

        m_harness->moveMouse(pos);
        QCOMPARE(m_harness->help(), step.caption);
    }
}

ARMDRAW_TEST_MAIN(TstHoverHelp)
#include "tst_hoverhelp.moc"
