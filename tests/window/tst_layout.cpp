// The window as laid out: places and sizes, captions, tints, fonts, scroll-bar ranges and the
// keyboard focus order, each checked against its own copy of the layout's twips and colours.
#include "notificationspy.h"
#include "testapplication.h"
#include "windowharness.h"

#include "frmmain.h"

#include "qtframe.h"
#include "qtlabel.h"
#include "qtpicturebox.h"
#include "qtscrollbar.h"

#include "controls/picturebox.h"
#include "controls/scrollbar.h"

#include <QAbstractButton>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QSignalSpy>

#include <cmath>

namespace {

// The layout measures in twips, 15 to a pixel at 96 dots per inch.
int pixels(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

// A layout colour, written 0x00BBGGRR with red in the lowest byte.
QColor bgr(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QString captionOf(const QWidget *control)
{
    if (const auto *frame = qobject_cast<const QtFrame *>(control)) {
        return frame->Caption();
    }
    if (const auto *label = qobject_cast<const QtLabel *>(control)) {
        return label->Caption();
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(control)) {
        return button->text();
    }
    return QString();
}

QString focusName(const WindowHarness &harness)
{
    const QWidget *focused = harness.window().focusWidget();
    return focused ? focused->objectName() : QStringLiteral("(none)");
}

const QStringList framesAndLabels = { "fraArm1", "fraArm2", "fraArm2Mode", "fraOrigin",
    "fraHoverHelp", "Label1", "Label2", "Label3", "Label4", "lblHoverControls", "lblInfo" };

} // namespace

class tst_Layout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    // The window and the places of its controls
    void windowHasItsTitleAndClientSize();
    void everyControlAtItsPlace_data();
    void everyControlAtItsPlace();
    void noControlsBeyondTheLayout();
    void resizingMovesNothing_data();
    void resizingMovesNothing();
    void reverseOptionMirrorsNothing();

    // Captions, tints and fonts
    void captions_data();
    void captions();
    void labelTextAlignment_data();
    void labelTextAlignment();
    void tints_data();
    void tints();
    void surfaceColoursAndItems();
    void tahomaFaceLoadedWhenInstalled();
    void fonts_data();
    void fonts();

    // Scroll bars as built, before start-up changes them
    void scrollBarsAsBuilt_data();
    void scrollBarsAsBuilt();

    // Keyboard focus
    void tabChain_data();
    void tabChain();
    void framesAndLabelsNeverTakeFocus_data();
    void framesAndLabelsNeverTakeFocus();
};

void tst_Layout::initTestCase()
{
    qRegisterMetaType<const SurfaceItem *>();
}

// --- The window and the places of its controls -------------------------------------------------

void tst_Layout::windowHasItsTitleAndClientSize()
{
    WindowHarness harness;
    QCOMPARE(harness.window().windowTitle(), QStringLiteral("Form1"));
    // 14805 x 10980 twips of client area.
    QCOMPARE(harness.window().size(), QSize(987, 732));
    QCOMPARE(harness.window().windowState(), Qt::WindowNoState);
}

// This test runs with Qt's -reverse option (a right-to-left locale does the same): a mirrored
// horizontal bar would show its lowest value at the right end.
void tst_Layout::reverseOptionMirrorsNothing()
{
    WindowHarness harness;
    QCOMPARE(harness.window().layoutDirection(), Qt::LeftToRight);
    ScrollBar *bar = harness.scrollBar(QStringLiteral("scrOriginX"));
    bar->assignValue(bar->Min());
    const auto *shown = qobject_cast<QtScrollBar *>(WindowHarness::widget(bar));
    QVERIFY(shown->partRect(QStyle::SC_ScrollBarSlider).right() < shown->width() / 2);
}

void tst_Layout::everyControlAtItsPlace_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QList<int>>("twips"); // left, top, width, height

    auto row = [](const char *name, const char *kind, const char *container, QList<int> twips) {
        QTest::newRow(name) << QString::fromLatin1(kind) << QString::fromLatin1(container) << twips;
    };
    row("fraHoverHelp", "Frame", "frmMain", { 11520, 9240, 2295, 855 });
    row("lblHoverControls", "Label", "fraHoverHelp", { 120, 360, 2055, 240 });
    row("fraOrigin", "Frame", "frmMain", { 11760, 4440, 2295, 2055 });
    row("cmdOrigin_1", "CommandButton", "fraOrigin", { 950, 375, 255, 255 });
    row("cmdOrigin_2", "CommandButton", "fraOrigin", { 1300, 375, 255, 255 });
    row("cmdOrigin_3", "CommandButton", "fraOrigin", { 1650, 375, 255, 255 });
    row("cmdOrigin_4", "CommandButton", "fraOrigin", { 950, 735, 255, 255 });
    row("cmdOrigin_5", "CommandButton", "fraOrigin", { 1300, 735, 255, 255 });
    row("cmdOrigin_6", "CommandButton", "fraOrigin", { 1650, 735, 255, 255 });
    row("cmdOrigin_7", "CommandButton", "fraOrigin", { 950, 1080, 255, 255 });
    row("cmdOrigin_8", "CommandButton", "fraOrigin", { 1300, 1080, 255, 255 });
    row("cmdOrigin_9", "CommandButton", "fraOrigin", { 1650, 1080, 255, 255 });
    row("scrOriginY", "VScrollBar", "fraOrigin", { 240, 375, 300, 1100 });
    row("scrOriginX", "HScrollBar", "fraOrigin", { 720, 1530, 1200, 300 });
    row("Picture1", "PictureBox", "frmMain", { 240, 480, 10605, 9645 });
    row("fraArm2", "Frame", "frmMain", { 12960, 480, 1575, 3525 });
    row("fraArm2Mode", "Frame", "fraArm2", { 240, 2400, 1095, 855 });
    row("optAngleAbsolute", "OptionButton", "fraArm2Mode", { 120, 240, 900, 300 });
    row("optAngleRelative", "OptionButton", "fraArm2Mode", { 120, 480, 900, 300 });
    row("scrRadius_2", "VScrollBar", "fraArm2", { 315, 450, 300, 1200 });
    row("scrWidth_2", "VScrollBar", "fraArm2", { 900, 450, 300, 1200 });
    row("Label4", "Label", "fraArm2", { 240, 1800, 525, 195 });
    row("Label2", "Label", "fraArm2", { 890, 1800, 435, 195 });
    row("fraArm1", "Frame", "frmMain", { 11160, 480, 1575, 3525 });
    row("scrRadius_1", "VScrollBar", "fraArm1", { 315, 450, 300, 1200 });
    row("scrWidth_1", "VScrollBar", "fraArm1", { 900, 450, 300, 1200 });
    row("Label3", "Label", "fraArm1", { 240, 1800, 525, 195 });
    row("Label1", "Label", "fraArm1", { 890, 1800, 435, 195 });
    row("lblInfo", "Label", "frmMain", { 240, 10320, 14265, 495 });
}

void tst_Layout::everyControlAtItsPlace()
{
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QList<int>, twips);

    WindowHarness harness;
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    auto *control = harness.control<QWidget>(name);
    QVERIFY(control);

    if (kind.endsWith(QLatin1String("ScrollBar"))) {
        const auto *bar = qobject_cast<QtScrollBar *>(control);
        QVERIFY2(bar, "not a QtScrollBar");
        QCOMPARE(
            bar->orientation(), kind.startsWith(QLatin1Char('H')) ? Qt::Horizontal : Qt::Vertical);
    } else {
        QCOMPARE(
            QString::fromLatin1(control->metaObject()->className()), QLatin1String("Qt") + kind);
    }
    QVERIFY(control->parentWidget());
    const QString parentName = control->parentWidget() == &harness.window()
        ? QStringLiteral("frmMain")
        : control->parentWidget()->objectName();
    QCOMPARE(parentName, container);
    QCOMPARE(control->geometry(),
        QRect(pixels(twips[0]), pixels(twips[1]), pixels(twips[2]), pixels(twips[3])));
    QVERIFY(control->isVisible());
}

void tst_Layout::noControlsBeyondTheLayout()
{
    WindowHarness harness;
    QStringList named;
    for (const QWidget *child : harness.window().findChildren<QWidget *>()) {
        if (!child->objectName().isEmpty()
            && !child->objectName().startsWith(QLatin1String("qt_"))) {
            named << child->objectName();
        }
    }
    named.sort();
    QStringList laidOut = framesAndLabels;
    laidOut += QStringList { "Picture1", "optAngleAbsolute", "optAngleRelative", "scrOriginX",
        "scrOriginY", "scrRadius_1", "scrRadius_2", "scrWidth_1", "scrWidth_2" };
    for (int index = 1; index <= 9; ++index) {
        laidOut << QStringLiteral("cmdOrigin_%1").arg(index);
    }
    laidOut.sort();
    QCOMPARE(named, laidOut);
}

void tst_Layout::resizingMovesNothing_data()
{
    // An invalid size maximises the window.
    QTest::addColumn<QSize>("size");
    QTest::newRow("smaller") << QSize(400, 300);
    QTest::newRow("larger") << QSize(1400, 1000);
    QTest::newRow("maximised") << QSize();
}

void tst_Layout::resizingMovesNothing()
{
    QFETCH(QSize, size);

    WindowHarness harness;
    QWidget &window = harness.window();
    QVERIFY2(window.minimumSize() != window.maximumSize(), "the window must be resizable");
    QMap<QString, QRect> before;
    const QList<QWidget *> controls = window.findChildren<QWidget *>();
    for (const QWidget *control : controls) {
        if (!control->objectName().isEmpty()) {
            before.insert(control->objectName(), control->geometry());
        }
    }
    QCOMPARE(before.size(), 29);

    if (size.isValid()) {
        window.resize(size);
        QTRY_COMPARE(window.size(), size);
    } else {
        window.showMaximized();
        QTRY_VERIFY(window.isMaximized());
    }
    QCoreApplication::processEvents();

    for (const QWidget *control : controls) {
        if (!control->objectName().isEmpty()) {
            QCOMPARE(control->geometry(), before.value(control->objectName()));
        }
    }
    QCOMPARE(harness.surface()->Width(), 10605.0);
    QCOMPARE(harness.surface()->Height(), 9645.0);
}

// --- Captions, tints and fonts -----------------------------------------------------------------

void tst_Layout::captions_data()
{
    QTest::addColumn<QString>("caption");
    // Arm panel captions keep two spaces on each side.
    QTest::newRow("fraArm1") << QStringLiteral("  Arm 1  ");
    QTest::newRow("fraArm2") << QStringLiteral("  Arm 2  ");
    QTest::newRow("fraArm2Mode") << QStringLiteral("Mode");
    QTest::newRow("fraOrigin") << QStringLiteral("Anchor Location");
    QTest::newRow("fraHoverHelp") << QStringLiteral("Hover Help");
    QTest::newRow("lblHoverControls") << QStringLiteral("CONTROLS");
    QTest::newRow("optAngleAbsolute") << QStringLiteral("Floating");
    QTest::newRow("optAngleRelative") << QStringLiteral("Rigid");
    QTest::newRow("Label1") << QStringLiteral("Width");
    QTest::newRow("Label2") << QStringLiteral("Width");
    QTest::newRow("Label3") << QStringLiteral("Length");
    QTest::newRow("Label4") << QStringLiteral("Length");
    for (int index = 1; index <= 9; ++index) {
        QTest::addRow("cmdOrigin_%d", index) << QString();
    }
}

void tst_Layout::captions()
{
    QFETCH(QString, caption);

    WindowHarness harness;
    QCOMPARE(
        captionOf(harness.control<QWidget>(QString::fromLatin1(QTest::currentDataTag()))), caption);
}

void tst_Layout::labelTextAlignment_data()
{
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<bool>("wrapped");
    QTest::newRow("Label1") << int(Qt::AlignHCenter) << false;
    QTest::newRow("Label2") << int(Qt::AlignHCenter) << false;
    QTest::newRow("Label3") << int(Qt::AlignHCenter) << false;
    QTest::newRow("Label4") << int(Qt::AlignHCenter) << false;
    QTest::newRow("lblHoverControls") << int(Qt::AlignHCenter) << false;
    QTest::newRow("lblInfo") << int(Qt::AlignLeft) << true;
}

void tst_Layout::labelTextAlignment()
{
    QFETCH(int, horizontal);
    QFETCH(bool, wrapped);

    WindowHarness harness;
    const auto *label = harness.control<QtLabel>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(label);
    // As drawn: this test runs with Qt's -reverse option, which must not mirror the text.
    const Qt::Alignment drawn
        = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
    QCOMPARE(int(drawn & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute), horizontal);
    QCOMPARE(label->wordWrap(), wrapped);
}

void tst_Layout::tints_data()
{
    // An invalid colour stands for the standard colour of the control's role. The sample point is
    // a spot of bare background, in the control's pixels, where the painted tint is read back.
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QPoint>("sample");

    const QColor standard;
    const QColor red = bgr(0x000000FF);
    const QColor lightRed = bgr(0x00C0C0FF);
    const QColor blue = bgr(0x00FF0000);
    const QColor lightBlue = bgr(0x00FFC0C0);
    const QColor darkBlue = bgr(0x00C00000);
    const QColor grey = bgr(0x00C0C0C0);
    const QColor lightGrey = bgr(0x00E0E0E0);
    const QPoint beside(5, 117); // left of an arm panel's scroll bars, above its labels
    const QPoint belowText(1, 12); // a label's bottom-left pixel, under the text's baseline

    QTest::newRow("fraArm1") << lightRed << red << beside;
    QTest::newRow("Label1") << lightRed << standard << belowText;
    QTest::newRow("Label3") << lightRed << standard << belowText;
    QTest::newRow("fraArm2") << lightBlue << blue << beside;
    QTest::newRow("fraArm2Mode") << lightBlue << standard << QPoint(4, 30);
    QTest::newRow("optAngleAbsolute") << lightBlue << standard << QPoint(30, 0);
    QTest::newRow("optAngleRelative") << lightBlue << standard << QPoint(30, 0);
    QTest::newRow("Label2") << lightBlue << standard << belowText;
    QTest::newRow("Label4") << lightBlue << standard << belowText;
    QTest::newRow("fraOrigin") << lightGrey << standard << QPoint(6, 60);
    for (int index = 1; index <= 9; ++index) {
        // The style shades a button's face, so only the palette is compared.
        QTest::addRow("cmdOrigin_%d", index) << grey << standard << QPoint(-1, -1);
    }
    QTest::newRow("fraHoverHelp") << standard << standard << QPoint(4, 45);
    QTest::newRow("lblHoverControls") << grey << darkBlue << belowText;
    QTest::newRow("lblInfo") << standard << standard << QPoint(950, 32);
}

void tst_Layout::tints()
{
    QFETCH(QColor, background);
    QFETCH(QColor, text);
    QFETCH(QPoint, sample);

    WindowHarness harness;
    auto *control = harness.control<QWidget>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    const QPalette standard = QApplication::palette();
    const QPalette::ColorRole backgroundRole = control->backgroundRole();
    const QPalette::ColorRole textRole = control->foregroundRole();
    if (!background.isValid()) {
        background = standard.color(backgroundRole);
    }
    if (!text.isValid()) {
        text = standard.color(textRole);
    }
    QCOMPARE(control->palette().color(backgroundRole), background);
    QCOMPARE(control->palette().color(textRole), text);

    if (sample.x() >= 0) {
        QVERIFY2(!control->childAt(sample), "the sample point lies on a child control");
        const QImage image = control->grab().toImage();
        QCOMPARE(image.pixelColor(sample), background);
    }
}

void tst_Layout::surfaceColoursAndItems()
{
    WindowHarness harness;
    const QWidget *surface = WindowHarness::widget(harness.surface());
    const QPalette standard = QApplication::palette();
    // The system window text colour as foreground; any background the black anchor stands out on.
    QCOMPARE(
        surface->palette().color(surface->foregroundRole()), standard.color(QPalette::WindowText));
    QVERIFY(surface->palette().color(surface->backgroundRole()).lightness() >= 128);

    QCOMPARE(harness.line(1)->colour(), quint32(0x000000FF));
    QCOMPARE(harness.line(2)->colour(), quint32(0x00FF0000));
    QCOMPARE(harness.line(1)->BorderWidth(), 20);
    QCOMPARE(harness.line(2)->BorderWidth(), 20);
    QCOMPARE(harness.anchorBase()->colour(), quint32(0x00000000));
    QCOMPARE(harness.anchorPost()->colour(), quint32(0x00000000));
    QCOMPARE(harness.anchorBase()->Width(), 1695.0f);
    QCOMPARE(harness.anchorBase()->Height(), 495.0f);
    QCOMPARE(harness.anchorPost()->Width(), 255.0f);
    QCOMPARE(harness.anchorPost()->Height(), 855.0f);
}

void tst_Layout::tahomaFaceLoadedWhenInstalled()
{
    if (!QFile::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"))) {
        QSKIP("Debian's fonts-wine is not installed");
    }
    QVERIFY(QFontDatabase::families().contains(QStringLiteral("Tahoma")));
}

void tst_Layout::fonts_data()
{
    // Pixel size 0 stands for the window's default font. 8.25 pt is 11 pixels at 96 dots per
    // inch, 9.75 pt 13 and 12 pt 16.
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");

    QTest::newRow("fraArm1") << 16 << false;
    QTest::newRow("fraArm2") << 16 << false;
    QTest::newRow("Label1") << 11 << false;
    QTest::newRow("Label2") << 11 << false;
    QTest::newRow("Label3") << 11 << false;
    QTest::newRow("Label4") << 11 << false;
    QTest::newRow("fraOrigin") << 13 << false;
    QTest::newRow("lblHoverControls") << 13 << true;
    QTest::newRow("lblInfo") << 13 << false;
    QTest::newRow("fraArm2Mode") << 0 << false;
    QTest::newRow("optAngleAbsolute") << 0 << false;
    QTest::newRow("optAngleRelative") << 0 << false;
    QTest::newRow("fraHoverHelp") << 0 << false;
}

void tst_Layout::fonts()
{
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);

    WindowHarness harness;
    const auto *control = harness.control<QWidget>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    const QFont font = control->font();
    const QFontInfo used(font);

    if (pixelSize == 0) {
        QCOMPARE(font, harness.window().font());
        // A small user-interface font.
        QVERIFY2(used.pixelSize() >= 10 && used.pixelSize() <= 13,
            qPrintable(QString::number(used.pixelSize())));
    } else {
        QCOMPARE(used.pixelSize(), pixelSize);
        if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
            QCOMPARE(used.family(), QStringLiteral("Tahoma"));
        }
    }
    QCOMPARE(font.bold(), bold);
    QCOMPARE(used.bold(), bold);
    QVERIFY(!used.italic());
    QVERIFY(!font.underline());
    QVERIFY(!font.strikeOut());
}

// --- Scroll bars as built ----------------------------------------------------------------------

void tst_Layout::scrollBarsAsBuilt_data()
{
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("smallChange");
    QTest::addColumn<int>("largeChange");
    QTest::addColumn<int>("value");

    // The length and width bars have their larger value at the top.
    QTest::newRow("scrOriginX") << 1 << 1000 << 10 << 100 << 1;
    QTest::newRow("scrOriginY") << 1 << 1000 << 10 << 100 << 1;
    QTest::newRow("scrRadius_1") << 10000 << 1 << 1 << 1 << 1;
    QTest::newRow("scrRadius_2") << 10000 << 1 << 1 << 1 << 1;
    QTest::newRow("scrWidth_1") << 50 << 1 << 1 << 1 << 1;
    QTest::newRow("scrWidth_2") << 50 << 1 << 1 << 1 << 1;
}

void tst_Layout::scrollBarsAsBuilt()
{
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, smallChange);
    QFETCH(int, largeChange);
    QFETCH(int, value);

    // Never shown, so start-up has not yet replaced the values they are built with.
    frmMain window;
    const auto *bar = dynamic_cast<ScrollBar *>(window.find(QTest::currentDataTag()));
    QVERIFY(bar);
    QCOMPARE(bar->Min(), min);
    QCOMPARE(bar->Max(), max);
    QCOMPARE(bar->SmallChange(), smallChange);
    QCOMPARE(bar->LargeChange(), largeChange);
    QCOMPARE(bar->Value(), value);
}

// --- Keyboard focus ----------------------------------------------------------------------------

void tst_Layout::tabChain_data()
{
    QTest::addColumn<int>("spaces");
    QTest::addColumn<QString>("modeButton");
    QTest::addColumn<bool>("backwards");

    for (const bool backwards : { false, true }) {
        const char *direction = backwards ? "shift+tab" : "tab";
        QTest::addRow("%s, floating", direction) << 0 << "optAngleAbsolute" << backwards;
        QTest::addRow("%s, rigid after space", direction) << 1 << "optAngleRelative" << backwards;
        QTest::addRow("%s, floating after two spaces", direction)
            << 2 << "optAngleAbsolute" << backwards;
    }
}

void tst_Layout::tabChain()
{
    QFETCH(int, spaces);
    QFETCH(QString, modeButton);
    QFETCH(bool, backwards);

    WindowHarness harness;
    QVERIFY(QTest::qWaitForWindowActive(&harness.window()));
    for (int press = 0; press < spaces; ++press) {
        harness.key(Qt::Key_Space);
    }
    QCOMPARE(focusName(harness), QStringLiteral("scrWidth_2"));

    const QStringList chain = { "scrWidth_2", "scrWidth_1", "scrRadius_2", "scrRadius_1",
        "Picture1", "scrOriginX", "scrOriginY", "cmdOrigin_4", "cmdOrigin_5", "cmdOrigin_7",
        "cmdOrigin_8", "cmdOrigin_1", "cmdOrigin_2", "cmdOrigin_3", "cmdOrigin_9", "cmdOrigin_6",
        modeButton };
    QStringList expected;
    for (qsizetype step = 1; step <= chain.size(); ++step) {
        expected << chain[(backwards ? chain.size() - step : step) % chain.size()];
    }

    // Focus keys are not the arm's: they must not reach the key handler, which would redraw. The
    // Shift key's own press does reach it, so Shift+Tab may draw only as often as Shift alone.
    NotificationSpy drawn(harness.surface()->itemChanged);
    qsizetype drawingsPerShift = 0;
    if (backwards) {
        QTest::keyPress(harness.window().windowHandle(), Qt::Key_Shift);
        QTest::keyRelease(harness.window().windowHandle(), Qt::Key_Shift);
        drawingsPerShift = drawn.count();
        QVERIFY(drawingsPerShift > 0);
        drawn.clear();
    }
    QStringList visited;
    for (qsizetype step = 0; step < chain.size(); ++step) {
        if (backwards) {
            harness.key(Qt::Key_Backtab, Qt::ShiftModifier);
        } else {
            harness.key(Qt::Key_Tab);
        }
        visited << focusName(harness);
    }
    QCOMPARE(visited, expected);
    QCOMPARE(drawn.count(), drawingsPerShift * chain.size());
}

void tst_Layout::framesAndLabelsNeverTakeFocus_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : framesAndLabels) {
        QTest::newRow(qPrintable(name)) << name;
    }
}

void tst_Layout::framesAndLabelsNeverTakeFocus()
{
    QFETCH(QString, name);

    WindowHarness harness;
    QVERIFY(QTest::qWaitForWindowActive(&harness.window()));
    auto *control = harness.control<QWidget>(name);
    QVERIFY(control);
    QCOMPARE(control->focusPolicy(), Qt::NoFocus);
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, QPoint(2, control->height() - 3));
    QCOMPARE(focusName(harness), QStringLiteral("scrWidth_2"));
}

ARMDRAW_TEST_MAIN(tst_Layout)
#include "tst_layout.moc"
