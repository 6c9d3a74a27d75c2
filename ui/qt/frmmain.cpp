#include "frmmain.h"

#include "helptexts.h"

#include "anchorgrid.h"
#include "armgeometry.h"
#include "checkedmath.h"
#include "modglobalsconstants.h"

#include "accessiblefactory.h"
#include "commandbutton.h"
#include "frame.h"
#include "keycodes.h"
#include "label.h"
#include "lineitem.h"
#include "optionbutton.h"
#include "picturebox.h"
#include "scrollbar.h"
#include "shapeitem.h"
#include "surfacedescription.h"

frmMain::frmMain(QWidget *parent)
    : Form(parent)
{
    installControlAccessibility();
    createControls();
    connectHandlers();
    describeSurface();
    scrWidth(2).setFocus();
}

void frmMain::connectHandlers()
{
    connect(optAngleAbsolute, &OptionButton::Click, this, &frmMain::optAngleAbsolute_Click);
    connect(optAngleRelative, &OptionButton::Click, this, &frmMain::optAngleRelative_Click);

    cmdOrigin.connect(&CommandButton::Click, this, [this](int index) { cmdOrigin_Click(index); });
    connect(scrOriginX, &ScrollBar::Change, this, &frmMain::scrOriginX_Change);
    connect(scrOriginX, &ScrollBar::Scroll, this, &frmMain::scrOriginX_Scroll);
    connect(scrOriginY, &ScrollBar::Change, this, &frmMain::scrOriginY_Change);
    connect(scrOriginY, &ScrollBar::Scroll, this, &frmMain::scrOriginY_Scroll);

    scrRadius.connect(&ScrollBar::Change, this, [this](int index) { scrRadius_Change(index); });
    scrRadius.connect(&ScrollBar::Scroll, this, [this](int index) { scrRadius_Scroll(index); });
    scrWidth.connect(&ScrollBar::Change, this, [this](int index) { scrWidth_Change(index); });
    scrWidth.connect(&ScrollBar::Scroll, this, [this](int index) { scrWidth_Scroll(index); });

    connect(fraArm1, &Frame::MouseMove, this, &frmMain::fraArm1_MouseMove);
    connect(fraArm2, &Frame::MouseMove, this, &frmMain::fraArm2_MouseMove);
    connect(fraArm2Mode, &Frame::MouseMove, this, &frmMain::fraArm2Mode_MouseMove);
    connect(fraOrigin, &Frame::MouseMove, this, &frmMain::fraOrigin_MouseMove);
    connect(fraHoverHelp, &Frame::MouseMove, this, &frmMain::fraHoverHelp_MouseMove);
    connect(lblHoverControls, &Label::MouseMove, this, &frmMain::lblHoverControls_MouseMove);
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
    lblInfo->setCaption(QString());
    for (const char *part : { "Use numeric keypad to control angle of arms:  ",
             "- Bottom row (1 and 3) for red arm - ", "- Middle row (4 and 6) for blue - ",
             "Laptops - look for number keys near U I O and J K L - might have to hold FN key "
             "down." }) {
        lblInfo->setCaption(lblInfo->Caption() + QString::fromLatin1(part));
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
    lblInfo->setCaption(HelpText::background());
}

void frmMain::fraArm1_MouseMove(int, int, float, float)
{
    lblInfo->setCaption(HelpText::arm1());
}

void frmMain::fraArm2_MouseMove(int, int, float, float)
{
    lblInfo->setCaption(HelpText::arm2());
}

void frmMain::fraArm2Mode_MouseMove(int, int, float, float)
{
    lblInfo->setCaption(HelpText::arm2Mode());
}

void frmMain::fraOrigin_MouseMove(int, int, float, float)
{
    lblInfo->setCaption(HelpText::anchor());
}

void frmMain::fraHoverHelp_MouseMove(int, int, float, float)
{
    lblInfo->setCaption(QString());
}

void frmMain::lblHoverControls_MouseMove(int, int, float, float)
{
    lblInfo->setCaption(HelpText::controls());
}

// --- Accessibility ---------------------------------------------------------------------------

void frmMain::describeSurface()
{
    auto *description = new SurfaceDescription(Picture1, [this] { return describeArm(); });
    // A mode change converts the stored angle without moving any item.
    for (OptionButton *option : { optAngleAbsolute, optAngleRelative }) {
        connect(option, &OptionButton::Click, description, &SurfaceDescription::announceChange);
    }
}

QString frmMain::describeArm() const
{
    // The stored angle as it stands, then the direction a listener can picture.
    const auto pointing = [](int64_t world) {
        return QStringLiteral("pointing %1 degrees clockwise from right").arg(directionOf(world));
    };
    const bool rigid = optAngleRelative->Value();
    const int64_t arm2World = worldAngle(baseAngle(rigid, Arm(1).Angle), Arm(2).Angle);
    const QString arm2Angle = rigid
        ? QStringLiteral("%1 degrees to arm 1 (%2 to the world)").arg(Arm(2).Angle).arg(arm2World)
        : QStringLiteral("%1 degrees").arg(Arm(2).Angle);
    return QStringLiteral("Red arm 1: angle %1 degrees, %2, length %3 twips, width %4 pixels. "
                          "Blue arm 2: angle %5, %6, length %7 twips, width %8 pixels. "
                          "Mode: %9. Anchor at X %10, Y %11 twips. Tip at X %12, Y %13 twips.")
        .arg(Arm(1).Angle)
        .arg(pointing(Arm(1).Angle))
        .arg(Arm(1).Radius)
        .arg(Lines(1).BorderWidth())
        .arg(arm2Angle)
        .arg(pointing(arm2World))
        .arg(Arm(2).Radius)
        .arg(Lines(2).BorderWidth())
        .arg(rigid ? QStringLiteral("Rigid") : QStringLiteral("Floating"))
        .arg(OriginX)
        .arg(OriginY)
        .arg(qRound(Lines(2).X2()))
        .arg(qRound(Lines(2).Y2()));
}
