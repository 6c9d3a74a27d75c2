// What the window shows when it first opens: the bars' values, the arm and anchor in the middle of
// the surface, Floating selected, the keypad help, the focus; and that start-up runs only once.
#include "testapplication.h"
#include "windowharness.h"

#include "frmmain.h"
#include "modglobalsconstants.h"
#include "qtscrollbar.h"

#include "controls/optionbutton.h"
#include "controls/picturebox.h"
#include "controls/scrollbar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineF>

namespace {

QLineF drawn(const LineItem *line)
{
    return QLineF(line->X1(), line->Y1(), line->X2(), line->Y2());
}

} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    // Values after start-up
    void scrollBarsShowStartValues_data();
    void scrollBarsShowStartValues();
    void anchorCentredWithHalvesToEven();
    void armDrawnRightThenDown();
    void anchorShapesAroundTheCentre();
    void floatingSelectedAndArmStateSet();
    void helpLineShowsKeypadInstructions();
    void focusOnArmTwoWidthBar();
    void focusIsMarkedWithoutMovingAPixel();

    // Start-up runs once
    void showingAgainKeepsTheTurnedArm();
};

// --- Values after start-up ---------------------------------------------------------------------

void tst_Startup::scrollBarsShowStartValues_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");

    QTest::newRow("scrRadius_1") << 4000 << 10000 << 1;
    QTest::newRow("scrRadius_2") << 1500 << 10000 << 1;
    QTest::newRow("scrWidth_1") << 20 << 50 << 1;
    QTest::newRow("scrWidth_2") << 20 << 50 << 1;
    // The anchor bars' maxima become the surface's outer size, 10605 x 9645 twips.
    QTest::newRow("scrOriginX") << 5302 << 1 << 10605;
    QTest::newRow("scrOriginY") << 4822 << 1 << 9645;
}

void tst_Startup::scrollBarsShowStartValues()
{
    QFETCH(int, value);
    QFETCH(int, min);
    QFETCH(int, max);

    WindowHarness harness;
    const ScrollBar *bar = harness.scrollBar(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(bar);
    QCOMPARE(bar->Value(), value);
    QCOMPARE(bar->Min(), min);
    QCOMPARE(bar->Max(), max);
}

void tst_Startup::anchorCentredWithHalvesToEven()
{
    WindowHarness harness;
    QCOMPARE(harness.surface()->Width(), 10605.0);
    QCOMPARE(harness.surface()->Height(), 9645.0);
    // 5302.5 and 4822.5 go to the even neighbour.
    QCOMPARE(OriginX, 5302);
    QCOMPARE(OriginY, 4822);
}

void tst_Startup::armDrawnRightThenDown()
{
    WindowHarness harness;
    const LineItem *segment1 = harness.line(1);
    const LineItem *segment2 = harness.line(2);
    QVERIFY(segment1 && segment2);

    QCOMPARE(segment1->X1(), 5302.0f);
    QCOMPARE(segment1->Y1(), 4822.0f);
    QCOMPARE(segment1->X2(), 9302.0f);
    QCOMPARE(segment1->Y2(), 4822.0f);

    QCOMPARE(segment2->X1(), 9302.0f);
    QCOMPARE(segment2->Y1(), 4822.0f);
    // Straight down, give or take the single-precision pi's trace in the cosine.
    QVERIFY2(qAbs(segment2->X2() - 9302.0f) < 0.01f,
        qPrintable(QString::number(segment2->X2(), 'f', 4)));
    QVERIFY2(qAbs(segment2->Y2() - 6322.0f) < 0.01f,
        qPrintable(QString::number(segment2->Y2(), 'f', 4)));

    QCOMPARE(segment1->BorderWidth(), 20);
    QCOMPARE(segment2->BorderWidth(), 20);
}

void tst_Startup::anchorShapesAroundTheCentre()
{
    WindowHarness harness;
    QCOMPARE(harness.anchorBase()->Left(), float(5302 - 850));
    QCOMPARE(harness.anchorBase()->Top(), float(4822 + 300));
    QCOMPARE(harness.anchorPost()->Left(), float(5302 - 125));
    QCOMPARE(harness.anchorPost()->Top(), float(4822 - 100));
}

void tst_Startup::floatingSelectedAndArmStateSet()
{
    WindowHarness harness;
    QVERIFY(harness.control<OptionButton>(QStringLiteral("optAngleAbsolute"))->Value());
    QVERIFY(!harness.control<OptionButton>(QStringLiteral("optAngleRelative"))->Value());

    QCOMPARE(Arm(1).Angle, 0);
    QCOMPARE(Arm(1).Radius, 4000);
    QCOMPARE(Arm(1).Mode, std::string());
    QCOMPARE(Arm(2).Angle, 90);
    QCOMPARE(Arm(2).Radius, 1500);
    QCOMPARE(Arm(2).Mode, std::string("ABS"));
}

void tst_Startup::helpLineShowsKeypadInstructions()
{
    WindowHarness harness;
    QCOMPARE(harness.help(),
        QStringLiteral("Use numeric keypad to control angle of arms:  ")
            + QStringLiteral("- Bottom row (1 and 3) for red arm - ")
            + QStringLiteral("- Middle row (4 and 6) for blue - ")
            + QStringLiteral("Laptops - look for number keys near U I O and J K L - might have to "
                             "hold FN key down."));
}

void tst_Startup::focusOnArmTwoWidthBar()
{
    WindowHarness harness;
    QVERIFY(QTest::qWaitForWindowActive(&harness.window()));
    QCOMPARE(QApplication::focusWidget(),
        WindowHarness::widget(harness.scrollBar(QStringLiteral("scrWidth_2"))));
}

void tst_Startup::focusIsMarkedWithoutMovingAPixel()
{
    WindowHarness harness;
    QWidget &window = harness.window();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // The anchor in the top-left corner: segment 1 and the anchor's shapes reach the edge.
    harness.control<QAbstractButton>(QStringLiteral("cmdOrigin_1"))->click();
    const auto *bar = harness.control<QtScrollBar>(QStringLiteral("scrWidth_2"));
    QWidget *surface = WindowHarness::widget(harness.surface());
    const QRect thumb
        = bar->partRect(QStyle::SC_ScrollBarSlider).translated(bar->mapTo(&window, QPoint()));
    const QRect drawing(surface->mapTo(&window, QPoint()), surface->size());
    const QImage onBar = window.grab().toImage();
    surface->setFocus();
    QTRY_VERIFY(surface->hasFocus());
    const QImage onSurface = window.grab().toImage();

    // Only the bar's thumb and the drawing's outermost pixels may differ, and both must; an item
    // on the edge stays as it is.
    int inThumb = 0;
    int onEdge = 0;
    for (int y = 0; y < onBar.height(); ++y) {
        for (int x = 0; x < onBar.width(); ++x) {
            const QPoint point(x, y);
            if (onBar.pixel(point) == onSurface.pixel(point)) {
                continue;
            }
            if (thumb.contains(point)) {
                ++inThumb;
            } else if (drawing.contains(point) && !drawing.adjusted(1, 1, -1, -1).contains(point)) {
                QVERIFY2(onBar.pixel(point) == qRgb(255, 255, 255),
                    qPrintable(QStringLiteral("the focus covers an item at %1, %2").arg(x).arg(y)));
                ++onEdge;
            } else {
                QFAIL(qPrintable(
                    QStringLiteral("the focus moved the pixel at %1, %2").arg(x).arg(y)));
            }
        }
    }
    QVERIFY2(inThumb >= 8, qPrintable(QString::number(inThumb)));
    QVERIFY2(onEdge >= drawing.width(), qPrintable(QString::number(onEdge)));
}

// --- Start-up runs once ------------------------------------------------------------------------

void tst_Startup::showingAgainKeepsTheTurnedArm()
{
    WindowHarness harness;
    harness.key(Qt::Key_3, Qt::KeypadModifier);
    harness.key(Qt::Key_Space); // Rigid
    harness.key(Qt::Key_6, Qt::KeypadModifier);
    QCOMPARE(Arm(1).Angle, 5);
    QCOMPARE(Arm(2).Angle, 90);
    const QLineF segment1 = drawn(harness.line(1));
    const QLineF segment2 = drawn(harness.line(2));

    harness.window().hide();
    harness.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&harness.window()));

    QCOMPARE(Arm(1).Angle, 5);
    QCOMPARE(Arm(2).Angle, 90);
    QCOMPARE(Arm(2).Mode, std::string("REL"));
    QVERIFY(harness.control<OptionButton>(QStringLiteral("optAngleRelative"))->Value());
    QCOMPARE(drawn(harness.line(1)), segment1);
    QCOMPARE(drawn(harness.line(2)), segment2);
}

ARMDRAW_TEST_MAIN(tst_Startup)
#include "tst_startup.moc"
