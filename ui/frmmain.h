// The program's one window: the drawing surface with the arm, the arm and anchor panels, and
// the help line. It knows no toolkit: a toolkit's layer shows its controls and delivers input.
#pragma once

#include "controls/controlarray.h"
#include "controls/form.h"

#include <string>

class CommandButton;
class Frame;
class Label;
class LineItem;
class OptionButton;
class PictureBox;
class ScrollBar;
class ShapeItem;

class frmMain : public Form
{
public:
    frmMain();

    // The arm's state in words, for assistive technology: each segment's angle, length and
    // width, the mode, the anchor and the tip.
    std::string describeArm() const;

protected:
    void Form_Load() override;
    void Form_KeyDown(int &KeyCode, int Shift) override;

private:
    void createControls();
    void connectHandlers();
    void nameForAssistiveTechnology();

    // Drawing, always DrawArm1 before DrawArm2: segment 2 starts where segment 1's line ends.
    void DrawArm1();
    void DrawArm2();
    void PositionAnchor();
    void ShowKeypadHelp();

    void optAngleAbsolute_Click();
    void optAngleRelative_Click();

    void cmdOrigin_Click(int Index);
    void scrOriginX_Change();
    void scrOriginX_Scroll();
    void scrOriginY_Change();
    void scrOriginY_Scroll();

    void scrRadius_Change(int Index);
    void scrRadius_Scroll(int Index);
    void scrWidth_Change(int Index);
    void scrWidth_Scroll(int Index);

    void Form_MouseMove(int Button, int Shift, float X, float Y);
    void fraArm1_MouseMove(int Button, int Shift, float X, float Y);
    void fraArm2_MouseMove(int Button, int Shift, float X, float Y);
    void fraArm2Mode_MouseMove(int Button, int Shift, float X, float Y);
    void fraOrigin_MouseMove(int Button, int Shift, float X, float Y);
    void fraHoverHelp_MouseMove(int Button, int Shift, float X, float Y);
    void lblHoverControls_MouseMove(int Button, int Shift, float X, float Y);

    Frame *fraArm1 = nullptr;
    Frame *fraArm2 = nullptr;
    Frame *fraArm2Mode = nullptr;
    Frame *fraOrigin = nullptr;
    Frame *fraHoverHelp = nullptr;
    Label *Label1 = nullptr;
    Label *Label2 = nullptr;
    Label *Label3 = nullptr;
    Label *Label4 = nullptr;
    Label *lblHoverControls = nullptr;
    Label *lblInfo = nullptr;
    OptionButton *optAngleAbsolute = nullptr;
    OptionButton *optAngleRelative = nullptr;
    ScrollBar *scrOriginX = nullptr;
    ScrollBar *scrOriginY = nullptr;
    ControlArray<ScrollBar> scrRadius;
    ControlArray<ScrollBar> scrWidth;
    ControlArray<CommandButton> cmdOrigin;
    PictureBox *Picture1 = nullptr;
    ControlArray<LineItem> Lines;
    ShapeItem *Anchor1 = nullptr;
    ShapeItem *Anchor2 = nullptr;
};
