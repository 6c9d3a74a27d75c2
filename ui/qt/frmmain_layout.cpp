// frmMain's controls at their design places, in twips, with their tints and fonts.
#include "frmmain.h"

#include "helptexts.h"

#include "commandbutton.h"
#include "control.h"
#include "fonts.h"
#include "frame.h"
#include "label.h"
#include "lineitem.h"
#include "optionbutton.h"
#include "palette.h"
#include "picturebox.h"
#include "scrollbar.h"
#include "shapeitem.h"
#include "twips.h"

namespace {

const QColor Red = classicColor(0x000000FF);
const QColor LightRed = classicColor(0x00C0C0FF);
const QColor Blue = classicColor(0x00FF0000);
const QColor LightBlue = classicColor(0x00FFC0C0);
const QColor DarkBlue = classicColor(0x00C00000);
const QColor Grey = classicColor(0x00C0C0C0);
const QColor LightGrey = classicColor(0x00E0E0E0);
const QColor Black = classicColor(0x00000000);

template<typename Widget>
Widget *place(Widget *control, const char *name, int left, int top, int width, int height)
{
    Control::setUp(control, name);
    control->setGeometry(twipsRect(left, top, width, height));
    return control;
}

void applyLook(QWidget *control, const QPalette &palette, const QFont &font)
{
    control->setPalette(palette);
    control->setFont(font);
}

struct ScrollBarDesign
{
    int min;
    int max;
    int smallChange;
    int largeChange;
    int value;
};

ScrollBar *scrollBar(Qt::Orientation orientation, QWidget *container, const ScrollBarDesign &design)
{
    auto *bar = new ScrollBar(orientation, container);
    bar->assignMin(design.min);
    bar->assignMax(design.max);
    bar->assignSmallChange(design.smallChange);
    bar->assignLargeChange(design.largeChange);
    bar->assignValue(design.value);
    bar->setPalette(standardPalette());
    return bar;
}

} // namespace

void frmMain::createControls()
{
    setWindowTitle(QStringLiteral("Form1"));
    resize(twipsToPixels(14805), twipsToPixels(10980));
    const QFont defaultFont = tahoma(8.25);
    const QPalette standard = standardPalette();
    applyLook(this, standard, defaultFont);

    const ScrollBarDesign lengthDesign { 10000, 1, 1, 1, 1 };
    const ScrollBarDesign widthDesign { 50, 1, 1, 1, 1 };
    const ScrollBarDesign anchorDesign { 1, 1000, 10, 100, 1 };

    // Arm 1's panel, tinted red.
    fraArm1
        = place(new Frame(QStringLiteral("  Arm 1  "), this), "fraArm1", 11160, 480, 1575, 3525);
    applyLook(fraArm1, tintedPalette(LightRed, Red), tahoma(12));
    scrRadius.add(1,
        place(scrollBar(Qt::Vertical, fraArm1, lengthDesign), "scrRadius_1", 315, 450, 300, 1200));
    scrWidth.add(
        1, place(scrollBar(Qt::Vertical, fraArm1, widthDesign), "scrWidth_1", 900, 450, 300, 1200));
    Label3 = place(new Label(QStringLiteral("Length"), fraArm1), "Label3", 240, 1800, 525, 195);
    Label1 = place(new Label(QStringLiteral("Width"), fraArm1), "Label1", 890, 1800, 435, 195);

    // Arm 2's panel, tinted blue, with the mode buttons.
    fraArm2
        = place(new Frame(QStringLiteral("  Arm 2  "), this), "fraArm2", 12960, 480, 1575, 3525);
    applyLook(fraArm2, tintedPalette(LightBlue, Blue), tahoma(12));
    scrRadius.add(2,
        place(scrollBar(Qt::Vertical, fraArm2, lengthDesign), "scrRadius_2", 315, 450, 300, 1200));
    scrWidth.add(
        2, place(scrollBar(Qt::Vertical, fraArm2, widthDesign), "scrWidth_2", 900, 450, 300, 1200));
    Label4 = place(new Label(QStringLiteral("Length"), fraArm2), "Label4", 240, 1800, 525, 195);
    Label2 = place(new Label(QStringLiteral("Width"), fraArm2), "Label2", 890, 1800, 435, 195);
    fraArm2Mode
        = place(new Frame(QStringLiteral("Mode"), fraArm2), "fraArm2Mode", 240, 2400, 1095, 855);
    const QPalette modePalette = tintedPalette(LightBlue, standard.color(QPalette::WindowText));
    applyLook(fraArm2Mode, modePalette, defaultFont);
    optAngleAbsolute = place(new OptionButton(QStringLiteral("Floating"), fraArm2Mode),
        "optAngleAbsolute", 120, 240, 900, 300);
    optAngleRelative = place(new OptionButton(QStringLiteral("Rigid"), fraArm2Mode),
        "optAngleRelative", 120, 480, 900, 300);
    for (OptionButton *option : { optAngleAbsolute, optAngleRelative }) {
        applyLook(option, modePalette, defaultFont);
        option->setBackgroundRole(QPalette::Window);
        option->setAutoFillBackground(true);
    }

    const struct
    {
        Label *label;
        QColor tint;
    } panelLabels[] = { { Label1, LightRed }, { Label3, LightRed }, { Label2, LightBlue },
        { Label4, LightBlue } };
    for (const auto &[label, tint] : panelLabels) {
        applyLook(label, tintedPalette(tint, standard.color(QPalette::WindowText)), tahoma(8.25));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }

    // The anchor panel: a 3 x 3 map of the surface between its two scroll bars.
    fraOrigin = place(
        new Frame(QStringLiteral("Anchor Location"), this), "fraOrigin", 11760, 4440, 2295, 2055);
    applyLook(
        fraOrigin, tintedPalette(LightGrey, standard.color(QPalette::WindowText)), tahoma(9.75));
    QPalette buttonFace = standard;
    buttonFace.setColor(QPalette::Button, Grey);
    const int columns[] = { 950, 1300, 1650 };
    const int rows[] = { 375, 735, 1080 };
    for (int index = 1; index <= 9; ++index) {
        const QByteArray name = "cmdOrigin_" + QByteArray::number(index);
        auto *button = place(new CommandButton(fraOrigin), name.constData(),
            columns[(index - 1) % 3], rows[(index - 1) / 3], 255, 255);
        button->setPalette(buttonFace);
        cmdOrigin.add(index, button);
    }
    scrOriginY = place(
        scrollBar(Qt::Vertical, fraOrigin, anchorDesign), "scrOriginY", 240, 375, 300, 1100);
    scrOriginX = place(
        scrollBar(Qt::Horizontal, fraOrigin, anchorDesign), "scrOriginX", 720, 1530, 1200, 300);

    // The small panel whose label summarises the keys.
    fraHoverHelp = place(
        new Frame(QStringLiteral("Hover Help"), this), "fraHoverHelp", 11520, 9240, 2295, 855);
    applyLook(fraHoverHelp, standard, defaultFont);
    lblHoverControls = place(new Label(QStringLiteral("CONTROLS"), fraHoverHelp),
        "lblHoverControls", 120, 360, 2055, 240);
    applyLook(lblHoverControls, tintedPalette(Grey, DarkBlue), tahoma(9.75, true));
    lblHoverControls->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    // The drawing surface and its items: the anchor's base and post beneath the two segments.
    Picture1 = place(new PictureBox(this), "Picture1", 240, 480, 10605, 9645);
    Picture1->setPalette(standard);
    Anchor1 = Picture1->addShape(1695, 495);
    Anchor2 = Picture1->addShape(255, 855);
    Anchor1->setName(QStringLiteral("Anchor1"));
    Anchor2->setName(QStringLiteral("Anchor2"));
    for (ShapeItem *shape : { Anchor1, Anchor2 }) {
        shape->setColor(Black);
    }
    Anchor1->setLeft(4200);
    Anchor1->setTop(5040);
    Anchor2->setLeft(4920);
    Anchor2->setTop(4680);
    const struct
    {
        QColor color;
        float x1, x2;
    } lineDesigns[] = { { Red, 1080, 4920 }, { Blue, 5400, 9240 } };
    for (int index = 1; index <= 2; ++index) {
        const auto &design = lineDesigns[index - 1];
        LineItem *line = Picture1->addLine();
        line->setName(QStringLiteral("Lines_%1").arg(index));
        line->setColor(design.color);
        line->setBorderWidth(20);
        line->setX1(design.x1);
        line->setY1(480);
        line->setX2(design.x2);
        line->setY2(480);
        Lines.add(index, line);
    }

    lblInfo = place(new Label(QStringLiteral("lblHelp"), this), "lblInfo", 240, 10320, 14265, 495);
    applyLook(lblInfo, standard, tahoma(9.75));
    lblInfo->setWordWrap(true);

    // Focus order: frames and labels never take the focus, and of the mode buttons only the
    // selected one is a tab stop.
    const QList<QWidget *> tabChain = { &scrWidth(2), &scrWidth(1), &scrRadius(2), &scrRadius(1),
        Picture1, scrOriginX, scrOriginY, &cmdOrigin(4), &cmdOrigin(5), &cmdOrigin(7),
        &cmdOrigin(8), &cmdOrigin(1), &cmdOrigin(2), &cmdOrigin(3), &cmdOrigin(9), &cmdOrigin(6),
        optAngleRelative, optAngleAbsolute };
    for (qsizetype i = 1; i < tabChain.size(); ++i) {
        setTabOrder(tabChain[i - 1], tabChain[i]);
    }

    nameForAssistiveTechnology();
}

void frmMain::nameForAssistiveTechnology()
{
    // Each area's hover help is its description; the keyboard belongs to the arm, so a screen
    // reader's user meets the controls through these names.
    setAccessibleDescription(HelpText::background());
    fraArm1->setAccessibleDescription(HelpText::arm1());
    fraArm2->setAccessibleDescription(HelpText::arm2());
    fraArm2Mode->setAccessibleDescription(HelpText::arm2Mode());
    fraOrigin->setAccessibleDescription(HelpText::anchor());
    lblHoverControls->setAccessibleDescription(HelpText::controls());

    // The "Length" and "Width" captions label their bars: a screen reader says which is which.
    Label3->setBuddy(&scrRadius(1));
    Label1->setBuddy(&scrWidth(1));
    Label4->setBuddy(&scrRadius(2));
    Label2->setBuddy(&scrWidth(2));

    const char *const colours[] = { "red", "blue" };
    for (int index = 1; index <= 2; ++index) {
        const QString colour = QLatin1String(colours[index - 1]);
        scrRadius(index).setAccessibleName(QStringLiteral("Arm %1 length").arg(index));
        scrRadius(index).setAccessibleDescription(
            QStringLiteral("Length of the %1 arm in twips").arg(colour));
        scrWidth(index).setAccessibleName(QStringLiteral("Arm %1 width").arg(index));
        scrWidth(index).setAccessibleDescription(
            QStringLiteral("Line width of the %1 arm in pixels").arg(colour));
    }
    scrOriginX->setAccessibleName(QStringLiteral("Anchor X"));
    scrOriginX->setAccessibleDescription(
        QStringLiteral("Anchor's distance from the drawing's left edge in twips"));
    scrOriginY->setAccessibleName(QStringLiteral("Anchor Y"));
    scrOriginY->setAccessibleDescription(
        QStringLiteral("Anchor's distance from the drawing's top edge in twips"));

    const char *const places[] = { "top left", "top centre", "top right", "middle left", "centre",
        "middle right", "bottom left", "bottom centre", "bottom right" };
    for (int index = 1; index <= 9; ++index) {
        cmdOrigin(index).setAccessibleName(
            QStringLiteral("Anchor: %1").arg(QLatin1String(places[index - 1])));
    }

    Picture1->setAccessibleName(QStringLiteral("Drawing"));
}
