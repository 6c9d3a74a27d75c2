#include "frmmain.h"

#include "helptexts.h"

#include "anchorgrid.h"
#include "armgeometry.h"
#include "checkedmath.h"
#include "modglobalsconstants.h"

#include "controls/keycodes.h"
#include "controls/optionbutton.h"
#include "controls/picturebox.h"
#include "controls/scrollbar.h"

#include <cmath>

frmMain::frmMain()
    : Form("frmMain", "Form1", 14805, 10980)
{
    createControls();
    nameForAssistiveTechnology();
    connectHandlers();
}

void frmMain::connectHandlers()
{
    optAngleAbsolute->Click.connect([this] { optAngleAbsolute_Click(); });
    optAngleRelative->Click.connect([this] { optAngleRelative_Click(); });

    cmdOrigin.connect(&CommandButton::Click, [this](int index) { cmdOrigin_Click(index); });
    scrOriginX->Change.connect([this] { scrOriginX_Change(); });
    scrOriginX->Scroll.connect([this] { scrOriginX_Scroll(); });
    scrOriginY->Change.connect([this] { scrOriginY_Change(); });
    scrOriginY->Scroll.connect([this] { scrOriginY_Scroll(); });

    scrRadius.connect(&ScrollBar::Change, [this](int index) { scrRadius_Change(index); });
    scrRadius.connect(&ScrollBar::Scroll, [this](int index) { scrRadius_Scroll(index); });
    scrWidth.connect(&ScrollBar::Change, [this](int index) { scrWidth_Change(index); });
    scrWidth.connect(&ScrollBar::Scroll, [this](int index) { scrWidth_Scroll(index); });

    const auto hover = [](Control *control, void (frmMain::*handler)(int, int, float, float),
                           frmMain *form) {
        control->MouseMove.connect([form, handler](int button, int shift, float x, float y) {
            (form->*handler)(button, shift, x, y);
        });
    };
    hover(this, &frmMain::Form_MouseMove, this);
    hover(fraArm1, &frmMain::fraArm1_MouseMove, this);
    hover(fraArm2, &frmMain::fraArm2_MouseMove, this);
    hover(fraArm2Mode, &frmMain::fraArm2Mode_MouseMove, this);
    hover(fraOrigin, &frmMain::fraOrigin_MouseMove, this);
    hover(fraHoverHelp, &frmMain::fraHoverHelp_MouseMove, this);
    hover(lblHoverControls, &frmMain::lblHoverControls_MouseMove, this);

    Picture1->describe = [this] { return describeArm(); };
    // A mode change converts the stored angle without moving any item.
    for (OptionButton *option : { optAngleAbsolute, optAngleRelative }) {
        option->Click.connect([this] { Picture1->descriptionChanged(); });
    }
}

// --- Start-up --------------------------------------------------------------------------------

void frmMain::Form_Load()
{
    ShowKeypadHelp();

    // 10605 / 2 and 9645 / 2 end in .5: halves go to the even neighbour.
    OriginX = roundToInt32(Picture1->Width() / 2);
    OriginY = roundToInt32(Picture1->Height() / 2);

    Arm(1).Angle = 0;
    Arm(1).Radius = 4000;
    Arm(2).Angle = 90;
    Arm(2).Radius = 1500;
    Arm(2).Mode = "ABS";

    optAngleAbsolute->assignValue(true);

    scrWidth(1).assignValue(Lines(1).BorderWidth());
    scrWidth(2).assignValue(Lines(2).BorderWidth());
    scrRadius(1).assignValue(Arm(1).Radius);
    scrRadius(2).assignValue(Arm(2).Radius);

    // The maxima first: the design maximum (1000) is below the anchor's start values.
    scrOriginX->assignMax(roundToInt32(Picture1->Width()));
    scrOriginY->assignMax(roundToInt32(Picture1->Height()));
    scrOriginX->assignValue(OriginX);
    scrOriginY->assignValue(OriginY);

    DrawArm1();
    DrawArm2();
    Picture1->Cls();
}

void frmMain::ShowKeypadHelp()
{
    lblInfo->setCaption({});
    for (const char *part : { "Use numeric keypad to control angle of arms:  ",
             "- Bottom row (1 and 3) for red arm - ", "- Middle row (4 and 6) for blue - ",
             "Laptops - look for number keys near U I O and J K L - might have to hold FN key "
             "down." }) {
        lblInfo->setCaption(lblInfo->Caption() + part);
    }
}

// --- Drawing ---------------------------------------------------------------------------------

void frmMain::DrawArm1()
{
    LineItem &line = Lines(1);
    line.setX1(static_cast<float>(OriginX));
    line.setY1(static_cast<float>(OriginY));
    const SegmentEnd end = segmentEnd(line.X1(), line.Y1(), Arm(1).Radius, Arm(1).Angle);
    line.setX2(end.x);
    line.setY2(end.y);
}

void frmMain::DrawArm2()
{
    const int32_t base = baseAngle(optAngleRelative->Value(), Arm(1).Angle);
    LineItem &line = Lines(2);
    line.setX1(Lines(1).X2());
    line.setY1(Lines(1).Y2());
    const SegmentEnd end
        = segmentEnd(line.X1(), line.Y1(), Arm(2).Radius, worldAngle(base, Arm(2).Angle));
    line.setX2(end.x);
    line.setY2(end.y);
}

void frmMain::PositionAnchor()
{
    const AnchorShapes shapes = anchorShapes(OriginX, OriginY);
    Anchor1->setLeft(static_cast<float>(shapes.base.x));
    Anchor1->setTop(static_cast<float>(shapes.base.y));
    Anchor2->setLeft(static_cast<float>(shapes.post.x));
    Anchor2->setTop(static_cast<float>(shapes.post.y));
}

// --- Keyboard and mode -----------------------------------------------------------------------

void frmMain::Form_KeyDown(int &KeyCode, int /*Shift*/)
{
    switch (KeyCode) {
    case VirtualKey::Space:
        if (optAngleAbsolute->Value()) {
            optAngleRelative->assignValue(true);
        } else {
            optAngleAbsolute->assignValue(true);
        }
        break;
    case VirtualKey::Numpad3:
    case VirtualKey::PageDown:
        Arm(1).Angle = turnAngle(Arm(1).Angle, 5);
        break;
    case VirtualKey::Numpad1:
    case VirtualKey::End:
        Arm(1).Angle = turnAngle(Arm(1).Angle, -5);
        break;
    case VirtualKey::Numpad6:
    case VirtualKey::Right:
        Arm(2).Angle = turnAngle(Arm(2).Angle, 5);
        break;
    case VirtualKey::Numpad4:
    case VirtualKey::Left:
        Arm(2).Angle = turnAngle(Arm(2).Angle, -5);
        break;
    default:
        break;
    }
    // Every key is the arm's: none may also move a focused scroll bar or press a button.
    KeyCode = 0;
    DrawArm1();
    DrawArm2();
}

void frmMain::optAngleAbsolute_Click()
{
    Arm(2).Angle = toFloatingAngle(Arm(1).Angle, Arm(2).Angle);
    Arm(2).Mode = "ABS";
}

void frmMain::optAngleRelative_Click()
{
    Arm(2).Angle = toRigidAngle(Arm(1).Angle, Arm(2).Angle);
    Arm(2).Mode = "REL";
}

// --- Anchor ----------------------------------------------------------------------------------

void frmMain::cmdOrigin_Click(int Index)
{
    const AnchorPoint place = anchorForButton(Index, Picture1->Width(), Picture1->Height());
    OriginX = place.x;
    OriginY = place.y;
    // Each assignment that changes a bar draws at once through its Change handler; OriginY is
    // already new when X's handler draws, so every drawing is at the new place.
    scrOriginX->assignValue(OriginX);
    scrOriginY->assignValue(OriginY);
    PositionAnchor();
    DrawArm1();
    DrawArm2();
}

void frmMain::scrOriginX_Change()
{
    OriginX = scrOriginX->Value();
    PositionAnchor();
    DrawArm1();
    DrawArm2();
}

void frmMain::scrOriginX_Scroll()
{
    scrOriginX_Change();
}

void frmMain::scrOriginY_Change()
{
    OriginY = scrOriginY->Value();
    PositionAnchor();
    DrawArm1();
    DrawArm2();
}

void frmMain::scrOriginY_Scroll()
{
    scrOriginY_Change();
}

// --- Length and width ------------------------------------------------------------------------

void frmMain::scrRadius_Change(int Index)
{
    Arm(Index).Radius = scrRadius(Index).Value();
    DrawArm1();
    DrawArm2();
}

void frmMain::scrRadius_Scroll(int Index)
{
    scrRadius_Change(Index);
}

void frmMain::scrWidth_Change(int Index)
{
    Lines(Index).setBorderWidth(scrWidth(Index).Value());
}

void frmMain::scrWidth_Scroll(int Index)
{
    scrWidth_Change(Index);
}

// --- Hover help ------------------------------------------------------------------------------

void frmMain::Form_MouseMove(int, int, float, float)
{
    lblInfo->setCaption(HelpText::background);
}

void frmMain::fraArm1_MouseMove(int, int, float, float)
{
    lblInfo->setCaption(HelpText::arm1);
}

void frmMain::fraArm2_MouseMove(int, int, float, float)
{
    lblInfo->setCaption(HelpText::arm2);
}

void frmMain::fraArm2Mode_MouseMove(int, int, float, float)
{
    lblInfo->setCaption(HelpText::arm2Mode);
}

void frmMain::fraOrigin_MouseMove(int, int, float, float)
{
    lblInfo->setCaption(HelpText::anchor);
}

void frmMain::fraHoverHelp_MouseMove(int, int, float, float)
{
    lblInfo->setCaption({});
}

void frmMain::lblHoverControls_MouseMove(int, int, float, float)
{
    lblInfo->setCaption(HelpText::controls);
}

// --- Accessibility ---------------------------------------------------------------------------

std::string frmMain::describeArm() const
{
    using std::to_string;
    // The stored angle as it stands, then the direction a listener can picture.
    const auto pointing = [](int64_t world) {
        return "pointing " + to_string(directionOf(world)) + " degrees clockwise from right";
    };
    // Halves upwards, as the desktop build has always said it.
    const auto nearest = [](float twips) {
        return to_string(static_cast<long long>(std::floor(static_cast<double>(twips) + 0.5)));
    };
    const bool rigid = optAngleRelative->Value();
    const int64_t arm2World = worldAngle(baseAngle(rigid, Arm(1).Angle), Arm(2).Angle);
    const std::string arm2Angle = rigid
        ? to_string(Arm(2).Angle) + " degrees to arm 1 (" + to_string(arm2World) + " to the world)"
        : to_string(Arm(2).Angle) + " degrees";
    return "Red arm 1: angle " + to_string(Arm(1).Angle) + " degrees, " + pointing(Arm(1).Angle)
        + ", length " + to_string(Arm(1).Radius) + " twips, width "
        + to_string(Lines(1).BorderWidth()) + " pixels. Blue arm 2: angle " + arm2Angle + ", "
        + pointing(arm2World) + ", length " + to_string(Arm(2).Radius) + " twips, width "
        + to_string(Lines(2).BorderWidth()) + " pixels. Mode: " + (rigid ? "Rigid" : "Floating")
        + ". Anchor at X " + to_string(OriginX) + ", Y " + to_string(OriginY)
        + " twips. Tip at X " + nearest(Lines(2).X2()) + ", Y " + nearest(Lines(2).Y2())
        + " twips.";
}
