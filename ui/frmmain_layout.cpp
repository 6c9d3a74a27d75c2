// frmMain's controls at their design places, in twips, with their tints and fonts.
#include "frmmain.h"

#include "helptexts.h"

#include "controls/optionbutton.h"
#include "controls/picturebox.h"
#include "controls/scrollbar.h"

namespace {

constexpr ClassicColour Red = 0x000000FF;
constexpr ClassicColour LightRed = 0x00C0C0FF;
constexpr ClassicColour Blue = 0x00FF0000;
constexpr ClassicColour LightBlue = 0x00FFC0C0;
constexpr ClassicColour DarkBlue = 0x00C00000;
constexpr ClassicColour Grey = 0x00C0C0C0;
constexpr ClassicColour LightGrey = 0x00E0E0E0;
constexpr ClassicColour Black = 0x00000000;

struct ScrollBarDesign
{
    int min;
    int max;
    int smallChange;
    int largeChange;
    int value;
};

ScrollBar *scrollBar(ControlKind kind, std::string name, Control *container, int left, int top,
    int width, int height, const ScrollBarDesign &design)
{
    auto *bar = new ScrollBar(kind, std::move(name), container, left, top, width, height);
    bar->assignMin(design.min);
    bar->assignMax(design.max);
    bar->assignSmallChange(design.smallChange);
    bar->assignLargeChange(design.largeChange);
    bar->assignValue(design.value);
    return bar;
}

void tint(Control *control, std::optional<ClassicColour> back, std::optional<ClassicColour> fore,
    ControlFont font)
{
    control->BackColor = back;
    control->ForeColor = fore;
    control->Font = font;
}

} // namespace

void frmMain::createControls()
{
    const ControlFont defaultFont { 8.25, false };
    const ScrollBarDesign lengthDesign { 10000, 1, 1, 1, 1 };
    const ScrollBarDesign widthDesign { 50, 1, 1, 1, 1 };
    const ScrollBarDesign anchorDesign { 1, 1000, 10, 100, 1 };
    const auto V = ControlKind::VScrollBar;

    // The arms' panels, tinted in each arm's colour: a length and a width bar over their captions.
    const struct
    {
        Frame *&frame;
        Label *&length;
        Label *&width;
        const char *lengthName;
        const char *widthName;
        int left;
        ClassicColour tint;
        ClassicColour caption;
    } panels[] = { { fraArm1, Label3, Label1, "Label3", "Label1", 11160, LightRed, Red },
        { fraArm2, Label4, Label2, "Label4", "Label2", 12960, LightBlue, Blue } };
    for (int index = 1; index <= 2; ++index) {
        const auto &panel = panels[index - 1];
        const std::string number = std::to_string(index);
        panel.frame = new Frame("fraArm" + number, "  Arm " + number + "  ", this, panel.left, 480,
            1575, 3525);
        tint(panel.frame, panel.tint, panel.caption, { 12, false });
        scrRadius.add(index,
            scrollBar(V, "scrRadius_" + number, panel.frame, 315, 450, 300, 1200, lengthDesign));
        scrWidth.add(index,
            scrollBar(V, "scrWidth_" + number, panel.frame, 900, 450, 300, 1200, widthDesign));
        panel.length = new Label(panel.lengthName, "Length", panel.frame, 240, 1800, 525, 195);
        panel.width = new Label(panel.widthName, "Width", panel.frame, 890, 1800, 435, 195);
        for (Label *label : { panel.length, panel.width }) {
            tint(label, panel.tint, {}, defaultFont);
            label->Alignment = TextAlignment::Centre;
        }
    }

    // Arm 2's mode buttons.
    fraArm2Mode = new Frame("fraArm2Mode", "Mode", fraArm2, 240, 2400, 1095, 855);
    tint(fraArm2Mode, LightBlue, {}, defaultFont);
    optAngleAbsolute
        = new OptionButton("optAngleAbsolute", "Floating", fraArm2Mode, 120, 240, 900, 300);
    optAngleRelative = new OptionButton("optAngleRelative", "Rigid", fraArm2Mode, 120, 480, 900, 300);
    for (OptionButton *option : { optAngleAbsolute, optAngleRelative }) {
        tint(option, LightBlue, {}, defaultFont);
    }

    // The anchor panel: a 3 x 3 map of the surface between its two scroll bars.
    fraOrigin = new Frame("fraOrigin", "Anchor Location", this, 11760, 4440, 2295, 2055);
    tint(fraOrigin, LightGrey, {}, { 9.75, false });
    const int columns[] = { 950, 1300, 1650 };
    const int rows[] = { 375, 735, 1080 };
    for (int index = 1; index <= 9; ++index) {
        auto *button = new CommandButton("cmdOrigin_" + std::to_string(index), fraOrigin,
            columns[(index - 1) % 3], rows[(index - 1) / 3], 255, 255);
        button->BackColor = Grey;
        cmdOrigin.add(index, button);
    }
    scrOriginY = scrollBar(V, "scrOriginY", fraOrigin, 240, 375, 300, 1100, anchorDesign);
    scrOriginX = scrollBar(
        ControlKind::HScrollBar, "scrOriginX", fraOrigin, 720, 1530, 1200, 300, anchorDesign);

    // The small panel whose label summarises the keys.
    fraHoverHelp = new Frame("fraHoverHelp", "Hover Help", this, 11520, 9240, 2295, 855);
    lblHoverControls = new Label("lblHoverControls", "CONTROLS", fraHoverHelp, 120, 360, 2055, 240);
    tint(lblHoverControls, Grey, DarkBlue, { 9.75, true });
    lblHoverControls->Alignment = TextAlignment::Centre;

    // The drawing surface and its items: the anchor's base and post beneath the two segments.
    Picture1 = new PictureBox("Picture1", this, 240, 480, 10605, 9645);
    Anchor1 = Picture1->addShape("Anchor1", Black, 1695, 495);
    Anchor2 = Picture1->addShape("Anchor2", Black, 255, 855);
    Anchor1->setLeft(4200);
    Anchor1->setTop(5040);
    Anchor2->setLeft(4920);
    Anchor2->setTop(4680);
    const struct
    {
        ClassicColour colour;
        float x1, x2;
    } lineDesigns[] = { { Red, 1080, 4920 }, { Blue, 5400, 9240 } };
    for (int index = 1; index <= 2; ++index) {
        const auto &design = lineDesigns[index - 1];
        LineItem *line = Picture1->addLine("Lines_" + std::to_string(index), design.colour);
        line->setBorderWidth(20);
        line->setX1(design.x1);
        line->setY1(480);
        line->setX2(design.x2);
        line->setY2(480);
        Lines.add(index, line);
    }

    lblInfo = new Label("lblInfo", "lblHelp", this, 240, 10320, 14265, 495);
    lblInfo->Font = { 9.75, false };
    lblInfo->WordWrap = true;

    // Focus order: frames and labels never take the focus, and of the mode buttons only the
    // selected one is a tab stop.
    Control *const tabOrder[] = { &scrWidth(2), &scrWidth(1), &scrRadius(2), &scrRadius(1),
        Picture1, scrOriginX, scrOriginY, &cmdOrigin(4), &cmdOrigin(5), &cmdOrigin(7),
        &cmdOrigin(8), &cmdOrigin(1), &cmdOrigin(2), &cmdOrigin(3), &cmdOrigin(9), &cmdOrigin(6),
        optAngleRelative, optAngleAbsolute };
    int tabIndex = 0;
    for (Control *control : tabOrder) {
        control->TabIndex = tabIndex++;
    }
    startFocus = &scrWidth(2);
}

void frmMain::nameForAssistiveTechnology()
{
    // Each area's hover help is its description; the keyboard belongs to the arm, so a screen
    // reader's user meets the controls through these names.
    accessibleDescription = HelpText::background;
    fraArm1->accessibleDescription = HelpText::arm1;
    fraArm2->accessibleDescription = HelpText::arm2;
    fraArm2Mode->accessibleDescription = HelpText::arm2Mode;
    fraOrigin->accessibleDescription = HelpText::anchor;
    lblHoverControls->accessibleDescription = HelpText::controls;

    // The "Length" and "Width" captions label their bars: a screen reader says which is which.
    Label3->buddy = &scrRadius(1);
    Label1->buddy = &scrWidth(1);
    Label4->buddy = &scrRadius(2);
    Label2->buddy = &scrWidth(2);

    const char *const colours[] = { "red", "blue" };
    for (int index = 1; index <= 2; ++index) {
        const std::string number = std::to_string(index);
        const std::string colour = colours[index - 1];
        scrRadius(index).accessibleName = "Arm " + number + " length";
        scrRadius(index).accessibleDescription = "Length of the " + colour + " arm in twips";
        scrWidth(index).accessibleName = "Arm " + number + " width";
        scrWidth(index).accessibleDescription = "Line width of the " + colour + " arm in pixels";
    }
    scrOriginX->accessibleName = "Anchor X";
    scrOriginX->accessibleDescription = "Anchor's distance from the drawing's left edge in twips";
    scrOriginY->accessibleName = "Anchor Y";
    scrOriginY->accessibleDescription = "Anchor's distance from the drawing's top edge in twips";

    const char *const places[] = { "top left", "top centre", "top right", "middle left", "centre",
        "middle right", "bottom left", "bottom centre", "bottom right" };
    for (int index = 1; index <= 9; ++index) {
        cmdOrigin(index).accessibleName = std::string("Anchor: ") + places[index - 1];
    }

    Picture1->accessibleName = "Drawing";
}
