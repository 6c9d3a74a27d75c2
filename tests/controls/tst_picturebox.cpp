// A drawing surface shown by the Qt layer: repaints limited to what a moved item covered before
// and after, and Cls repainting the whole area with the items kept.
#include "testform.h"

#include "qtform.h"
#include "qtpicturebox.h"
#include "qttwips.h"

#include "controls/picturebox.h"

#include <QApplication>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TstPictureBox : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void moveRepaintsOnlyTheOldAndNewBounds_data();
    void moveRepaintsOnlyTheOldAndNewBounds();
    void clsRepaintsTheWholeAreaAndKeepsTheItems();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Lets the surface paint what is pending and returns what it painted since the last call.
    QRegion painted();

    std::unique_ptr<QtForm> m_window;
    PictureBox *m_control = nullptr;
    QtPictureBox *m_surface = nullptr;
    LineItem *m_line = nullptr;
    ShapeItem *m_post = nullptr;
    QRegion m_painted;
    int m_paints = 0;
};

namespace {

// The pixels a line of `pen` pixels between two points in twips covers, round caps included.
QRect lineExtent(float x1, float y1, float x2, float y2, int pen)
{
    const qreal half = pen / 2.0;
    return QRectF(twipsToPoint(x1, y1), twipsToPoint(x2, y2))
        .normalized()
        .adjusted(-half, -half, half, half)
        .toAlignedRect();
}

QRect shapeExtent(float left, float top, float width, float height)
{
    return QRectF(twipsToPoint(left, top), twipsToPoint(left + width, top + height))
        .toAlignedRect();
}

qint64 area(const QRegion &region)
{
    qint64 total = 0;
    for (const QRect &rect : region) {
        total += qint64 { rect.width() } * rect.height();
    }
    return total;
}

} // namespace

void TstPictureBox::init()
{
    auto form = std::make_unique<TestForm>(10800, 9900); // 720 x 660 pixels
    m_control = new PictureBox("surface", form.get(), 0, 0, 10605, 9645);
    m_post = m_control->addShape("post", 0, 255, 855);
    m_post->setLeft(5177);
    m_post->setTop(4722);
    m_line = m_control->addLine("line", 0x000000FF);
    m_line->setBorderWidth(20);
    m_line->setX1(5302);
    m_line->setY1(4822);
    m_line->setX2(9302);
    m_line->setY2(4822);
    m_window = std::make_unique<QtForm>(std::move(form));
    m_surface = m_window->findChild<QtPictureBox *>(QStringLiteral("surface"));
    QVERIFY(m_surface);
    m_surface->installEventFilter(this);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTRY_VERIFY(m_paints > 0);
    m_painted = {};
    m_paints = 0;
}

void TstPictureBox::cleanup()
{
    m_window.reset();
    m_painted = {};
    m_paints = 0;
}

bool TstPictureBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_surface && event->type() == QEvent::Paint) {
        m_painted += static_cast<QPaintEvent *>(event)->region();
        ++m_paints;
    }
    return false;
}

QRegion TstPictureBox::painted()
{
    QApplication::processEvents();
    const int before = m_paints;
    // Updates are posted; wait until the pending one has been painted.
    static_cast<void>(QTest::qWaitFor([&] { return m_paints > before; }, 200));
    m_paints = 0;
    return std::exchange(m_painted, {});
}

void TstPictureBox::moveRepaintsOnlyTheOldAndNewBounds_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<float>("a"); // line: X2, Y2; shape: Left, Top
    QTest::addColumn<float>("b");

    QTest::newRow("line turned by 5 degrees") << "line" << 9286.7793f << 5170.6226f;
    QTest::newRow("line turned by 90 degrees") << "line" << 5302.0049f << 8822.0f;
    QTest::newRow("post moved 300 twips") << "post" << 5477.0f << 5022.0f;
}

void TstPictureBox::moveRepaintsOnlyTheOldAndNewBounds()
{
    QFETCH(QString, item);
    QFETCH(float, a);
    QFETCH(float, b);

    QRect before;
    QRect after;
    if (item == QLatin1String("line")) {
        before = lineExtent(m_line->X1(), m_line->Y1(), m_line->X2(), m_line->Y2(), 20);
        m_line->setX2(a);
        m_line->setY2(b);
        after = lineExtent(m_line->X1(), m_line->Y1(), a, b, 20);
    } else {
        before = shapeExtent(m_post->Left(), m_post->Top(), 255, 855);
        m_post->setLeft(a);
        m_post->setTop(b);
        after = shapeExtent(a, b, 255, 855);
    }
    const QRegion region = painted();

    QVERIFY2((QRegion(before) - region).isEmpty(), "the old place was not repainted");
    QVERIFY2((QRegion(after) - region).isEmpty(), "the new place was not repainted");
    // The rest of the surface is left alone: little more than the two places, a small part of all.
    const qint64 surface = qint64 { m_surface->width() } * m_surface->height();
    const qint64 places = area(QRegion(before)) + area(QRegion(after));
    const QString report = QStringLiteral("painted %1 pixels for places of %2 on a surface of %3")
                               .arg(area(region))
                               .arg(places)
                               .arg(surface);
    QVERIFY2(area(region) <= 2 * places, qPrintable(report));
    QVERIFY2(area(region) * 10 < surface, qPrintable(report));
}

void TstPictureBox::clsRepaintsTheWholeAreaAndKeepsTheItems()
{
    m_control->Cls();
    const QRegion region = painted();
    QVERIFY((QRegion(m_surface->rect()) - region).isEmpty());

    QCOMPARE(m_control->items().size(), size_t { 2 });
    QCOMPARE(m_line->X2(), 9302.0f);
    QCOMPARE(m_post->Left(), 5177.0f);
    // Still drawn: the middle of the line is red, a point well above it is background.
    const QImage image = m_surface->grab().toImage();
    const QPoint middle = twipsToPoint(7302, 4822).toPoint();
    QCOMPARE(image.pixelColor(middle), QColor(Qt::red));
    QCOMPARE(image.pixelColor(middle - QPoint(0, 40)),
        m_surface->palette().color(m_surface->backgroundRole()));
}

QTEST_MAIN(TstPictureBox)
#include "tst_picturebox.moc"
