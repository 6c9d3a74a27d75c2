// PictureBox and its items: outer size in twips, repaints limited to what a moved item covered
// before and after, Cls keeping the items, and the line width's valid range.
#include "errornumber.h"

#include "lineitem.h"
#include "picturebox.h"
#include "shapeitem.h"
#include "twips.h"

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

    void widthAndHeightAreTheOuterSizeInTwips_data();
    void widthAndHeightAreTheOuterSizeInTwips();

    void moveRepaintsOnlyTheOldAndNewBounds_data();
    void moveRepaintsOnlyTheOldAndNewBounds();
    void clsRepaintsTheWholeAreaAndKeepsTheItems();

    void borderWidthOutsideItsRangeIsInvalid_data();
    void borderWidthOutsideItsRangeIsInvalid();
    void eachAssignmentRaisesItemChangedOnce();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Lets the surface paint what is pending and returns what it painted since the last call.
    QRegion painted();

    std::unique_ptr<QWidget> m_window;
    PictureBox *m_surface = nullptr;
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
    m_window = std::make_unique<QWidget>();
    m_window->resize(720, 660);
    m_surface = new PictureBox(m_window.get());
    m_surface->setGeometry(twipsRect(0, 0, 10605, 9645));
    m_post = m_surface->addShape(255, 855);
    m_post->setLeft(5177);
    m_post->setTop(4722);
    m_line = m_surface->addLine();
    m_line->setColor(Qt::red);
    m_line->setBorderWidth(20);
    m_line->setX1(5302);
    m_line->setY1(4822);
    m_line->setX2(9302);
    m_line->setY2(4822);
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

void TstPictureBox::widthAndHeightAreTheOuterSizeInTwips_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::newRow("design size") << QSize(707, 643) << 10605.0 << 9645.0;
    QTest::newRow("small") << QSize(100, 51) << 1500.0 << 765.0;
}

void TstPictureBox::widthAndHeightAreTheOuterSizeInTwips()
{
    QFETCH(QSize, pixels);
    QFETCH(double, width);
    QFETCH(double, height);
    m_surface->resize(pixels);
    QCOMPARE(m_surface->Width(), width);
    QCOMPARE(m_surface->Height(), height);
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
    m_surface->Cls();
    const QRegion region = painted();
    QVERIFY((QRegion(m_surface->rect()) - region).isEmpty());

    QCOMPARE(m_surface->items().size(), size_t { 2 });
    QCOMPARE(m_line->X2(), 9302.0f);
    QCOMPARE(m_post->Left(), 5177.0f);
    // Still drawn: the middle of the line is red, a point well above it is background.
    const QImage image = m_surface->grab().toImage();
    const QPoint middle = twipsToPoint(7302, 4822).toPoint();
    QCOMPARE(image.pixelColor(middle), QColor(Qt::red));
    QCOMPARE(image.pixelColor(middle - QPoint(0, 40)),
        m_surface->palette().color(m_surface->backgroundRole()));
}

void TstPictureBox::borderWidthOutsideItsRangeIsInvalid_data()
{
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("error");
    QTest::newRow("zero") << 0 << 380;
    QTest::newRow("negative") << -1 << 380;
    QTest::newRow("beyond 8192") << 8193 << 380;
    QTest::newRow("one") << 1 << 0;
    QTest::newRow("8192") << 8192 << 0;
}

void TstPictureBox::borderWidthOutsideItsRangeIsInvalid()
{
    QFETCH(int, pixels);
    QFETCH(int, error);

    QSignalSpy changes(m_surface, &PictureBox::itemChanged);
    QCOMPARE(errorNumber([&] { m_line->setBorderWidth(pixels); }), error);
    QCOMPARE(m_line->BorderWidth(), error ? 20 : pixels);
    QCOMPARE(changes.count(), error ? 0 : 1);
}

void TstPictureBox::eachAssignmentRaisesItemChangedOnce()
{
    QSignalSpy changes(m_surface, &PictureBox::itemChanged);
    m_line->setX1(100);
    m_line->setY1(200);
    m_post->setLeft(300);
    QCOMPARE(changes.count(), 3);
    const SurfaceItem *line = m_line;
    const SurfaceItem *post = m_post;
    QCOMPARE(changes.at(0).at(0).value<const SurfaceItem *>(), line);
    QCOMPARE(changes.at(1).at(0).value<const SurfaceItem *>(), line);
    QCOMPARE(changes.at(2).at(0).value<const SurfaceItem *>(), post);
}

QTEST_MAIN(TstPictureBox)
#include "tst_picturebox.moc"
