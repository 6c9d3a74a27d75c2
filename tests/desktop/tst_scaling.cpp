// The drawing on high-density screens: run with QT_SCALE_FACTOR=2, the window's grab must show
// the segments where the design's twips put them, scaled without rounding to whole pixels first;
// renders at fractional ratios must do the same.
#include "windowharness.h"

#include "frmmain.h"

#include "controls/picturebox.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

// The start-up picture, in twips on the surface: segment 1 from the anchor (5302, 4822) 4000
// twips to the right, segment 2 from its end 1500 twips down, both 20 pixels wide; the base
// block's top edge 300 twips under the anchor.
constexpr double Segment1Y = 4822;
constexpr double Segment1Left = 5302;
constexpr double Segment1Right = 9302;
constexpr double Segment2X = 9302;
constexpr double Segment2Bottom = 6322;
constexpr double LineWidthPixels = 20;
constexpr double BaseTop = 5122;
constexpr double BaseLeft = 4452;
constexpr double TwipsPerPixel = 15;

// How much of pixel [pixel, pixel + 1) the band [low, high] covers.
double coverage(int pixel, double low, double high)
{
    return std::clamp(std::min(pixel + 1.0, high) - std::max<double>(pixel, low), 0.0, 1.0);
}

// How far a pixel has gone from white towards a pure colour whose given channel is zero.
double inkOf(QRgb pixel, int (*channel)(QRgb))
{
    return 1.0 - channel(pixel) / 255.0;
}

// Checks, pixel by pixel across a thick line's edges, that the ink matches the band the exact
// coordinates give. `at(i)` is the pixel i along the crossing direction.
template<typename PixelAt>
bool crossingMatches(
    PixelAt at, double centre, double halfWidth, int (*channel)(QRgb), QString *report)
{
    const double low = centre - halfWidth;
    const double high = centre + halfWidth;
    for (int i = static_cast<int>(std::floor(low)) - 2; i <= static_cast<int>(std::ceil(high)) + 2;
         ++i) {
        const double expected = coverage(i, low, high);
        const double measured = inkOf(at(i), channel);
        if (std::abs(expected - measured) > 0.08) {
            *report = QStringLiteral("pixel %1: ink %2, expected %3 for the band [%4, %5]")
                          .arg(i)
                          .arg(measured)
                          .arg(expected)
                          .arg(low)
                          .arg(high);
            return false;
        }
    }
    return true;
}

// The first row, from above, at which column x is black.
int firstBlackRow(const QImage &image, int x, int from)
{
    for (int y = from; y < image.height(); ++y) {
        if (qGray(image.pixel(x, y)) < 16) {
            return y;
        }
    }
    return -1;
}

// Checks the start-up picture in an image of the surface at device pixel ratio `scale`, whose
// surface origin lies at `origin` (device pixels).
void checkSegments(const QImage &image, QPointF origin, double scale)
{
    const double px = scale / TwipsPerPixel;
    const double half = LineWidthPixels * scale / 2;
    QString report;

    // Segment 1 (red) crossed vertically halfway along; blue stays at zero there.
    const int acrossRed = qRound(origin.x() + (Segment1Left + Segment1Right) / 2 * px);
    const auto redColumn = [&](int y) { return image.pixel(acrossRed, y); };
    QVERIFY2(crossingMatches(redColumn, origin.y() + Segment1Y * px, half, &qGreen, &report),
        qPrintable(QStringLiteral("red segment at scale %1: %2").arg(scale).arg(report)));
    QCOMPARE(qRed(image.pixel(acrossRed, qRound(origin.y() + Segment1Y * px))), 255);

    // Segment 2 (blue) crossed horizontally halfway down.
    const int acrossBlue = qRound(origin.y() + (Segment1Y + Segment2Bottom) / 2 * px);
    const auto blueRow = [&](int x) { return image.pixel(x, acrossBlue); };
    QVERIFY2(crossingMatches(blueRow, origin.x() + Segment2X * px, half, &qRed, &report),
        qPrintable(QStringLiteral("blue segment at scale %1: %2").arg(scale).arg(report)));
    QCOMPARE(qBlue(image.pixel(qRound(origin.x() + Segment2X * px), acrossBlue)), 255);

    // The base block is drawn without antialiasing: its top edge is rounded once, to the
    // nearest device pixel.
    const int column = qRound(origin.x() + (BaseLeft + 20) * px);
    const int top = firstBlackRow(image, column, qRound(origin.y() + (Segment1Y + 100) * px));
    QVERIFY2(std::abs(top - (origin.y() + BaseTop * px)) <= 0.5,
        qPrintable(QStringLiteral("base top at scale %1: row %2 for %3")
                       .arg(scale)
                       .arg(top)
                       .arg(origin.y() + BaseTop * px)));
}

} // namespace

class tst_Scaling : public QObject
{
    Q_OBJECT

private slots:
    void windowGrabAtScaleTwoPlacesTheSegmentsExactly();
    void surfaceSitsAtItsDesignPixelsDoubled();
    void renderAtAnyRatioPlacesTheSegmentsExactly_data();
    void renderAtAnyRatioPlacesTheSegmentsExactly();
};

void tst_Scaling::windowGrabAtScaleTwoPlacesTheSegmentsExactly()
{
    WindowHarness harness;
    QCOMPARE(harness.window().devicePixelRatio(), 2.0);
    const QImage image = harness.window().grab().toImage();
    QCOMPARE(image.size(), QSize(987 * 2, 732 * 2));

    // The surface stands at (240, 480) twips, (16, 32) pixels, in the window.
    checkSegments(image, QPointF(32, 64), 2.0);
}

void tst_Scaling::surfaceSitsAtItsDesignPixelsDoubled()
{
    WindowHarness harness;
    const QImage image = harness.window().grab().toImage();
    const QRgb face = harness.window().palette().color(QPalette::Window).rgb();
    const QRgb paper
        = WindowHarness::widget(harness.surface())->palette().color(QPalette::Base).rgb();
    QVERIFY(face != paper);

    // 707 x 643 pixels at (16, 32): device pixels 32..1445 across and 64..1349 down.
    const int midY = 64 + 100;
    const int midX = 32 + 100;
    QCOMPARE(image.pixel(31, midY), face);
    QCOMPARE(image.pixel(32, midY), paper);
    QCOMPARE(image.pixel(1445, midY), paper);
    QCOMPARE(image.pixel(1446, midY), face);
    QCOMPARE(image.pixel(midX, 63), face);
    QCOMPARE(image.pixel(midX, 64), paper);
    QCOMPARE(image.pixel(midX, 1349), paper);
    QCOMPARE(image.pixel(midX, 1350), face);
}

void tst_Scaling::renderAtAnyRatioPlacesTheSegmentsExactly_data()
{
    QTest::addColumn<double>("scale");
    QTest::newRow("1") << 1.0;
    QTest::newRow("1.25") << 1.25;
    QTest::newRow("1.5") << 1.5;
    QTest::newRow("1.75") << 1.75;
    QTest::newRow("2") << 2.0;
    QTest::newRow("3") << 3.0;
}

void tst_Scaling::renderAtAnyRatioPlacesTheSegmentsExactly()
{
    QFETCH(double, scale);

    WindowHarness harness;
    QWidget *surface = WindowHarness::widget(harness.surface());
    QImage image(QSize(qCeil(surface->width() * scale), qCeil(surface->height() * scale)),
        QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    surface->render(&image);

    checkSegments(image, QPointF(0, 0), scale);
}

QTEST_MAIN(tst_Scaling)
#include "tst_scaling.moc"
