// Repainting only what moved items covered before and after leaves the screen exactly as a repaint
// of the whole drawing surface would: compared pixel for pixel after moves of every item, on a
// surface of its own and in the real window while keys and a length bar turn and stretch the arm.
#include "testform.h"
#include "windowharness.h"

#include "qtform.h"
#include "qtpicturebox.h"

#include "controls/picturebox.h"
#include "controls/scrollbar.h"

#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <memory>

class TstPartialRepaint : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    // Each property of each item
    void assignmentsLeaveTheScreenAsAFullRepaint_data();
    void assignmentsLeaveTheScreenAsAFullRepaint();
    void unchangedAssignmentRepaintsNothing();

    // The program's own drawing
    void keypadTurnsLeaveTheScreenAsAFullRepaint_data();
    void keypadTurnsLeaveTheScreenAsAFullRepaint();
    void lengthDragLeavesTheScreenAsAFullRepaint();

private:
    void showSurface();

    std::unique_ptr<QtForm> m_window;
    PictureBox *m_control = nullptr;
    QWidget *m_surface = nullptr;
};

namespace {

// Lets every pending update be painted into the window's backing store.
void paintPending()
{
    QCoreApplication::sendPostedEvents();
}

// What the screen shows of a surface: the window's backing store, which a partial repaint leaves
// stale wherever it missed a pixel.
QImage shown(const QWidget *surface)
{
    const QWidget *window = surface->window();
    const QPoint at = surface->mapTo(window, QPoint(0, 0));
    return window->screen()
        ->grabWindow(
            window->windowHandle()->winId(), at.x(), at.y(), surface->width(), surface->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// The whole surface painted afresh.
QImage repaintedWhole(QWidget *surface)
{
    return surface->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Where the two pictures differ, for the failure message.
QString difference(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size()) {
        return QStringLiteral("sizes differ");
    }
    int count = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y)) {
                first = count++ == 0 ? QPoint(x, y) : first;
            }
        }
    }
    return QStringLiteral("%1 pixels differ, the first at (%2, %3)")
        .arg(count)
        .arg(first.x())
        .arg(first.y());
}

// "Lines_1.X2=9286.78; Anchor1.Top=5000": assignments to the items of a surface, in order.
void assign(PictureBox *surface, const QString &assignments)
{
    for (const QString &assignment : assignments.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList target
            = assignment.section(QLatin1Char('='), 0, 0).trimmed().split(QLatin1Char('.'));
        const QString value = assignment.section(QLatin1Char('='), 1).trimmed();
        SurfaceItem *item = surface->item(target.value(0).toStdString());
        QVERIFY2(item, qPrintable(QStringLiteral("no item %1").arg(target.value(0))));
        const QString property = target.value(1);
        auto *line = dynamic_cast<LineItem *>(item);
        auto *shape = dynamic_cast<ShapeItem *>(item);
        if (line && property == QLatin1String("X1")) {
            line->setX1(value.toFloat());
        } else if (line && property == QLatin1String("Y1")) {
            line->setY1(value.toFloat());
        } else if (line && property == QLatin1String("X2")) {
            line->setX2(value.toFloat());
        } else if (line && property == QLatin1String("Y2")) {
            line->setY2(value.toFloat());
        } else if (line && property == QLatin1String("BorderWidth")) {
            line->setBorderWidth(value.toInt());
        } else if (shape && property == QLatin1String("Left")) {
            shape->setLeft(value.toFloat());
        } else if (shape && property == QLatin1String("Top")) {
            shape->setTop(value.toFloat());
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown assignment %1").arg(assignment)));
        }
    }
}

} // namespace

void TstPartialRepaint::showSurface()
{
    // The program's surface and items at their start-up places, the surface offset in its window.
    auto form = std::make_unique<TestForm>(11400, 10500); // 760 x 700 pixels
    m_control = new PictureBox("surface", form.get(), 240, 480, 10605, 9645);
    const struct
    {
        const char *name;
        float width, height, left, top;
    } shapes[] = { { "Anchor1", 1695, 495, 4452, 5122 }, { "Anchor2", 255, 855, 5177, 4722 } };
    for (const auto &design : shapes) {
        ShapeItem *shape = m_control->addShape(design.name, 0, design.width, design.height);
        shape->setLeft(design.left);
        shape->setTop(design.top);
    }
    const struct
    {
        const char *name;
        ClassicColour colour;
        float x1, y1, x2, y2;
    } lines[] = { { "Lines_1", 0x000000FF, 5302, 4822, 9302, 4822 },
        { "Lines_2", 0x00FF0000, 9302, 4822, 9302, 6322 } };
    for (const auto &design : lines) {
        LineItem *line = m_control->addLine(design.name, design.colour);
        line->setBorderWidth(20);
        line->setX1(design.x1);
        line->setY1(design.y1);
        line->setX2(design.x2);
        line->setY2(design.y2);
    }
    m_window = std::make_unique<QtForm>(std::move(form));
    m_surface = m_window->findChild<QtPictureBox *>(QStringLiteral("surface"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    paintPending();
}

void TstPartialRepaint::cleanup()
{
    m_window.reset();
}

void TstPartialRepaint::assignmentsLeaveTheScreenAsAFullRepaint_data()
{
    QTest::addColumn<QString>("assignments");

    QTest::newRow("segment 1 turned 5 degrees") << "Lines_1.X2=9286.7793; Lines_1.Y2=5170.6226";
    QTest::newRow("segment 1 start moved under segment 2") << "Lines_1.X1=9000; Lines_1.Y1=6000";
    QTest::newRow("segment 2 moved to the far corner")
        << "Lines_2.X1=200; Lines_2.Y1=200; Lines_2.X2=900; Lines_2.Y2=150";
    QTest::newRow("segment 2 moved by a fraction of a pixel") << "Lines_2.X1=9309; Lines_2.X2=9309";
    QTest::newRow("thin line moved by a fraction of a pixel")
        << "Lines_1.BorderWidth=1; Lines_1.X2=9295; Lines_1.Y2=4829; Lines_1.Y1=4815";
    QTest::newRow("line thickened to 50 pixels") << "Lines_1.BorderWidth=50";
    QTest::newRow("line thinned to 1 pixel") << "Lines_2.BorderWidth=1";
    QTest::newRow("diagonal line turned through its start")
        << "Lines_1.X2=8130; Lines_1.Y2=7650; Lines_1.X2=5302; Lines_1.Y2=822";
    QTest::newRow("line shrunk to a point") << "Lines_1.X2=5302; Lines_1.Y2=4822";
    QTest::newRow("line taken off the surface and back")
        << "Lines_2.X1=-3000; Lines_2.X2=-2000; Lines_2.X1=9302; Lines_2.X2=9700";
    QTest::newRow("base moved 10 twips") << "Anchor1.Left=4462; Anchor1.Top=5132";
    QTest::newRow("post moved half a pixel") << "Anchor2.Left=5184.5";
    QTest::newRow("post moved across the surface") << "Anchor2.Left=100; Anchor2.Top=100";
    QTest::newRow("every item moved at once")
        << "Anchor1.Left=1000; Anchor1.Top=7000; Anchor2.Left=1700; Anchor2.Top=6300; "
           "Lines_1.X1=1825; Lines_1.Y1=6400; Lines_1.X2=4500; Lines_1.Y2=3000; "
           "Lines_2.X1=4500; Lines_2.Y1=3000; Lines_2.X2=6000; Lines_2.Y2=3100";
}

void TstPartialRepaint::assignmentsLeaveTheScreenAsAFullRepaint()
{
    QFETCH(QString, assignments);

    showSurface();
    assign(m_control, assignments);
    paintPending();
    const QImage actual = shown(m_surface);
    const QImage expected = repaintedWhole(m_surface);
    QVERIFY2(actual == expected, qPrintable(difference(actual, expected)));
}

void TstPartialRepaint::unchangedAssignmentRepaintsNothing()
{
    showSurface();
    // Assigning the values an item already has must not cost a repaint of the item.
    int paints = 0;
    class PaintCounter : public QObject
    {
    public:
        explicit PaintCounter(int &paints)
            : m_paints(paints)
        { }
        bool eventFilter(QObject *, QEvent *event) override
        {
            m_paints += event->type() == QEvent::Paint;
            return false;
        }

    private:
        int &m_paints;
    } counter(paints);
    m_surface->installEventFilter(&counter);

    assign(m_control,
        QStringLiteral("Lines_1.X1=5302; Lines_1.Y1=4822; Lines_1.X2=9302; Lines_1.Y2=4822; "
                       "Lines_1.BorderWidth=20; Anchor2.Left=5177; Anchor2.Top=4722"));
    paintPending();
    QCOMPARE(paints, 0);

    assign(m_control, QStringLiteral("Lines_1.Y2=4823"));
    paintPending();
    QCOMPARE(paints, 1);
}

void TstPartialRepaint::keypadTurnsLeaveTheScreenAsAFullRepaint_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("presses");

    QTest::newRow("keypad 3, a full turn of segment 1") << Qt::Key_3 << 72;
    QTest::newRow("keypad 6, a full turn of segment 2") << Qt::Key_6 << 72;
    QTest::newRow("keypad 1, a quarter turn back") << Qt::Key_1 << 18;
}

void TstPartialRepaint::keypadTurnsLeaveTheScreenAsAFullRepaint()
{
    QFETCH(Qt::Key, key);
    QFETCH(int, presses);

    WindowHarness harness;
    QWidget *surface = WindowHarness::widget(harness.surface());
    paintPending();
    for (int press = 1; press <= presses; ++press) {
        harness.key(key, Qt::KeypadModifier);
        paintPending();
        const QImage actual = shown(surface);
        const QImage expected = repaintedWhole(surface);
        QVERIFY2(actual == expected,
            qPrintable(
                QStringLiteral("after press %1: %2").arg(press).arg(difference(actual, expected))));
    }
}

void TstPartialRepaint::lengthDragLeavesTheScreenAsAFullRepaint()
{
    // Lengths from code raise Change and redraw, as a dragged thumb's Scroll does.
    WindowHarness harness;
    QWidget *surface = WindowHarness::widget(harness.surface());
    ScrollBar *length = harness.scrollBar(QStringLiteral("scrRadius_1"));
    harness.key(Qt::Key_3, Qt::KeypadModifier);
    for (const int radius : { 3990, 3000, 1, 10000, 4000, 4001 }) {
        length->assignValue(radius);
        paintPending();
        const QImage actual = shown(surface);
        const QImage expected = repaintedWhole(surface);
        QVERIFY2(actual == expected,
            qPrintable(
                QStringLiteral("at length %1: %2").arg(radius).arg(difference(actual, expected))));
    }
}

QTEST_MAIN(TstPartialRepaint)
#include "tst_partialrepaint.moc"
