// The window's logic with no toolkit: what it draws at start-up and after keys, the mode, the
// anchor, the bars and the hover help, and the words it gives assistive technology.
#include "anchorgrid.h"
#include "frmmain.h"
#include "helptexts.h"
#include "modglobalsconstants.h"

#include "controls/keycodes.h"
#include "controls/optionbutton.h"
#include "controls/picturebox.h"
#include "controls/scrollbar.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class WindowLogic : public testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<frmMain>();
        window->reportFatal = [this](const std::string &message) { fatal = message; };
        window->load();
    }
    void TearDown() override { EXPECT_EQ(fatal, ""); }

    template<typename Kind> Kind &control(const char *name)
    {
        auto *found = dynamic_cast<Kind *>(window->find(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    LineItem &line(int index)
    {
        auto &surface = control<PictureBox>("Picture1");
        return *static_cast<LineItem *>(surface.item("Lines_" + std::to_string(index)));
    }
    const std::string &help() { return control<Label>("lblInfo").Caption(); }

    std::unique_ptr<frmMain> window;
    std::string fatal;
};

} // namespace

TEST_F(WindowLogic, StartsWithTheArmLevelAndTheAnchorInTheMiddle)
{
    EXPECT_EQ(OriginX, 5302); // 5302.5 and 4822.5 go to the even neighbour
    EXPECT_EQ(OriginY, 4822);
    EXPECT_EQ(line(1).X1(), 5302);
    EXPECT_EQ(line(1).X2(), 9302);
    EXPECT_EQ(line(1).Y2(), 4822);
    EXPECT_EQ(line(2).X1(), 9302);
    EXPECT_NEAR(line(2).X2(), 9302, 0.01);
    EXPECT_NEAR(line(2).Y2(), 6322, 0.01);
    EXPECT_EQ(control<ScrollBar>("scrOriginX").Max(), 10605);
    EXPECT_EQ(control<ScrollBar>("scrOriginY").Value(), 4822);
    EXPECT_EQ(control<ScrollBar>("scrRadius_2").Value(), 1500);
    EXPECT_EQ(control<ScrollBar>("scrWidth_1").Value(), 20);
    EXPECT_TRUE(control<OptionButton>("optAngleAbsolute").Value());
    EXPECT_EQ(help(),
        "Use numeric keypad to control angle of arms:  - Bottom row (1 and 3) for red arm - "
        "- Middle row (4 and 6) for blue - Laptops - look for number keys near U I O and J K L - "
        "might have to hold FN key down.");
    EXPECT_EQ(window->startFocus, &control<ScrollBar>("scrWidth_2"));
}

struct KeyTurn
{
    int code;
    int arm1;
    int arm2;
};

class WindowKeys : public WindowLogic, public testing::WithParamInterface<KeyTurn>
{ };

TEST_P(WindowKeys, EachKeyTurnsOneSegmentAndNeverReachesTheFocusedControl)
{
    const KeyTurn turn = GetParam();
    EXPECT_EQ(window->keyDown(turn.code, 0), Form::KeyRoute::Consumed);
    EXPECT_EQ(Arm(1).Angle, turn.arm1);
    EXPECT_EQ(Arm(2).Angle, turn.arm2);
    EXPECT_EQ(control<ScrollBar>("scrWidth_2").Value(), 20);
}

INSTANTIATE_TEST_SUITE_P(Keys, WindowKeys,
    testing::Values(KeyTurn { VirtualKey::Numpad3, 5, 90 }, KeyTurn { VirtualKey::PageDown, 5, 90 },
        KeyTurn { VirtualKey::Numpad1, -5, 90 }, KeyTurn { VirtualKey::End, -5, 90 },
        KeyTurn { VirtualKey::Numpad6, 0, 95 }, KeyTurn { VirtualKey::Right, 0, 95 },
        KeyTurn { VirtualKey::Numpad4, 0, 85 }, KeyTurn { VirtualKey::Left, 0, 85 },
        KeyTurn { VirtualKey::Up, 0, 90 }, KeyTurn { VirtualKey::Unmapped, 0, 90 }));

TEST_F(WindowLogic, SpaceSwitchesTheModeAndKeepsTheDrawing)
{
    window->keyDown(VirtualKey::Numpad3, 0);
    window->keyDown(VirtualKey::Numpad3, 0);
    const float tipX = line(2).X2();
    const float tipY = line(2).Y2();
    window->keyDown(VirtualKey::Space, 0);
    EXPECT_TRUE(control<OptionButton>("optAngleRelative").Value());
    EXPECT_EQ(Arm(2).Angle, 80);
    EXPECT_EQ(Arm(2).Mode, "REL");
    EXPECT_FLOAT_EQ(line(2).X2(), tipX);
    EXPECT_FLOAT_EQ(line(2).Y2(), tipY);
    // Rigid: turning segment 1 carries segment 2 with it.
    window->keyDown(VirtualKey::Numpad3, 0);
    EXPECT_EQ(Arm(2).Angle, 80);
    window->keyDown(VirtualKey::Space, 0);
    EXPECT_EQ(Arm(2).Angle, 95);
    EXPECT_EQ(Arm(2).Mode, "ABS");
}

TEST_F(WindowLogic, AnAnchorButtonMovesTheBarsTheAnchorAndTheArm)
{
    control<CommandButton>("cmdOrigin_9").click();
    EXPECT_EQ(OriginX, 10605);
    EXPECT_EQ(OriginY, 9645);
    EXPECT_EQ(control<ScrollBar>("scrOriginX").Value(), 10605);
    EXPECT_EQ(control<ScrollBar>("scrOriginY").Value(), 9645);
    EXPECT_EQ(line(1).X1(), 10605);
    EXPECT_EQ(line(1).Y1(), 9645);
    auto &surface = control<PictureBox>("Picture1");
    const auto *base = static_cast<const ShapeItem *>(surface.item("Anchor1"));
    const auto *post = static_cast<const ShapeItem *>(surface.item("Anchor2"));
    const AnchorShapes placed = anchorShapes(10605, 9645);
    EXPECT_EQ(base->Left(), placed.base.x);
    EXPECT_EQ(base->Top(), placed.base.y);
    EXPECT_EQ(post->Left(), placed.post.x);
    EXPECT_EQ(post->Top(), placed.post.y);
}

TEST_F(WindowLogic, TheBarsSetLengthAndWidthWhileDragged)
{
    auto &length = control<ScrollBar>("scrRadius_1");
    length.thumbPressed();
    length.thumbDraggedTo(2000);
    EXPECT_EQ(line(1).X2(), 7302);
    length.thumbReleased();
    control<ScrollBar>("scrWidth_2").arrowClicked(+1); // towards Max, the bottom: 1
    EXPECT_EQ(line(2).BorderWidth(), 19);
    EXPECT_EQ(line(1).BorderWidth(), 20);
}

TEST_F(WindowLogic, HoverShowsTheHelpOfTheAreaUnderThePointer)
{
    const struct
    {
        float x, y;
        std::string text;
    } places[] = {
        { 11160 + 100, 480 + 3000, HelpText::arm1 },
        { 12960 + 240 + 100, 480 + 2400 + 100, HelpText::arm2Mode },
        { 12960 + 100, 480 + 100, HelpText::arm2 },
        { 11760 + 100, 4440 + 100, HelpText::anchor },
        { 11520 + 120 + 10, 9240 + 360 + 10, HelpText::controls },
        { 11520 + 10, 9240 + 10, "" },
        { 100, 100, HelpText::background },
        // Over the drawing, a bar or a button nothing changes.
        { 5000, 5000, HelpText::background },
        { 11160 + 315 + 10, 480 + 450 + 10, HelpText::background },
    };
    for (const auto &place : places) {
        window->mouseMoved(place.x, place.y, 0, 0);
        EXPECT_EQ(help(), place.text) << place.x << "," << place.y;
    }
}

TEST_F(WindowLogic, DescribesTheArmForAssistiveTechnology)
{
    auto &surface = control<PictureBox>("Picture1");
    int announced = 0;
    surface.descriptionChanged.connect([&] { ++announced; });
    window->keyDown(VirtualKey::Numpad1, 0);
    window->keyDown(VirtualKey::Space, 0);
    EXPECT_GT(announced, 0);
    EXPECT_EQ(surface.describe(),
        "Red arm 1: angle -5 degrees, pointing 355 degrees clockwise from right, length 4000 "
        "twips, width 20 pixels. Blue arm 2: angle 95 degrees to arm 1 (90 to the world), "
        "pointing 90 degrees clockwise from right, length 1500 twips, width 20 pixels. Mode: "
        "Rigid. Anchor at X 5302, Y 4822 twips. Tip at X 9287, Y 5973 twips.");
    EXPECT_EQ(control<ScrollBar>("scrOriginX").accessibleName, "Anchor X");
    EXPECT_EQ(control<CommandButton>("cmdOrigin_1").accessibleName, "Anchor: top left");
}

TEST(WindowStartUp, ASurfaceBeyondSixteenBitsIsTheBarsInvalidValue)
{
    frmMain window;
    std::string fatal;
    window.reportFatal = [&](const std::string &message) { fatal = message; };
    Control *surface = window.find("Picture1");
    ASSERT_NE(surface, nullptr);
    // 32775 twips: no 16-bit bound holds it.
    surface->Move(surface->Left(), surface->Top(), 32775, surface->Height());
    window.load();
    // The bar's own rule, not an overflow of a conversion on the way to it.
    EXPECT_EQ(fatal, "Run-time error '380':\n\nInvalid property value");
    EXPECT_TRUE(window.ended());
}
