// The control set's rules as every toolkit's layer relies on them: ranges and 16-bit checks,
// Change and Scroll, the option group, key preview, MouseMove's receiver, control arrays, the
// focus order and the fatal run-time error.
#include "errorof.h"

#include "checkedmath.h"

#include "controls/controlarray.h"
#include "controls/form.h"
#include "controls/keycodes.h"
#include "controls/optionbutton.h"
#include "controls/picturebox.h"
#include "controls/scrollbar.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

using Kind = RuntimeError::Kind;

// Every notification of a bar, in order, with the value it saw.
struct BarRecord
{
    explicit BarRecord(ScrollBar &bar)
    {
        bar.Change.connect([this, &bar] { events.push_back("Change " + std::to_string(bar.Value())); });
        bar.Scroll.connect([this, &bar] { events.push_back("Scroll " + std::to_string(bar.Value())); });
    }
    std::vector<std::string> events;
};

using Events = std::vector<std::string>;

struct Window : Form
{
    Window()
        : Form("Window", "Window", 6000, 6000)
    { }
    std::function<void(int &, int)> onKey;
    void Form_KeyDown(int &KeyCode, int Shift) override
    {
        if (onKey) {
            onKey(KeyCode, Shift);
        }
    }
};

ScrollBar *bar(Control *container, int min, int max, int small = 1, int large = 10)
{
    auto *made = new ScrollBar(ControlKind::VScrollBar, "bar", container, 0, 0, 300, 1200);
    made->assignMin(min);
    made->assignMax(max);
    made->assignSmallChange(small);
    made->assignLargeChange(large);
    return made;
}

} // namespace

TEST(ScrollBar, AssignmentRaisesChangeOnlyForANewValue)
{
    Window window;
    ScrollBar *scroll = bar(&window, 1, 1000);
    scroll->assignValue(1);
    BarRecord record(*scroll);
    scroll->assignValue(1);
    scroll->assignValue(500);
    scroll->assignValue(500);
    EXPECT_EQ(record.events, Events({ "Change 500" }));
}

struct BadAssignment
{
    const char *what;
    void (*assign)(ScrollBar &);
};

class ScrollBarBadAssignment : public testing::TestWithParam<BadAssignment>
{ };

TEST_P(ScrollBarBadAssignment, ThrowsInvalidPropertyValueAndChangesNothing)
{
    Window window;
    ScrollBar *scroll = bar(&window, 1, 1000, 2, 20);
    scroll->assignValue(7);
    BarRecord record(*scroll);
    EXPECT_EQ(errorOf([&] { GetParam().assign(*scroll); }), Kind::InvalidPropertyValue);
    EXPECT_EQ(scroll->Min(), 1);
    EXPECT_EQ(scroll->Max(), 1000);
    EXPECT_EQ(scroll->Value(), 7);
    EXPECT_EQ(scroll->SmallChange(), 2);
    EXPECT_EQ(scroll->LargeChange(), 20);
    EXPECT_TRUE(record.events.empty());
}

INSTANTIATE_TEST_SUITE_P(Rules, ScrollBarBadAssignment,
    testing::Values(BadAssignment { "value above Max", [](ScrollBar &b) { b.assignValue(1001); } },
        BadAssignment { "value below Min", [](ScrollBar &b) { b.assignValue(0); } },
        BadAssignment { "Max beyond 16 bits", [](ScrollBar &b) { b.assignMax(32768); } },
        BadAssignment { "Min beyond 16 bits", [](ScrollBar &b) { b.assignMin(-32769); } },
        BadAssignment { "small step 0", [](ScrollBar &b) { b.assignSmallChange(0); } },
        BadAssignment { "large step 0", [](ScrollBar &b) { b.assignLargeChange(0); } }),
    [](const auto &info) {
        std::string name = info.param.what;
        for (char &c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(ScrollBar, ARangeThatExcludesTheValueMovesItAndRaisesChange)
{
    Window window;
    ScrollBar *scroll = bar(&window, 1, 1000);
    scroll->assignValue(900);
    BarRecord record(*scroll);
    scroll->assignMax(500);
    scroll->assignMin(600); // Min above Max: 500 is still in the range, now at the bottom end
    scroll->assignMax(550);
    EXPECT_EQ(record.events, Events({ "Change 500", "Change 550" }));
    EXPECT_EQ(scroll->lowest(), 550);
    EXPECT_EQ(scroll->highest(), 600);
}

TEST(ScrollBar, ArrowsAndTrackStepTowardsTheirEndAndStopThere)
{
    Window window;
    ScrollBar *scroll = bar(&window, 10, 0, 3, 8); // reversed: Max is the bottom end
    scroll->assignValue(5);
    BarRecord record(*scroll);
    scroll->arrowClicked(+1); // towards Max (0)
    scroll->trackClicked(+1);
    scroll->trackClicked(-1);
    scroll->arrowClicked(-1);
    scroll->trackClicked(-1); // at Min already: nothing
    EXPECT_EQ(record.events, Events({ "Change 2", "Change 0", "Change 8", "Change 10" }));
}

TEST(ScrollBar, ThumbDragScrollsPerValueAndChangesOnceOnRelease)
{
    Window window;
    ScrollBar *scroll = bar(&window, 0, 100);
    BarRecord record(*scroll);
    scroll->thumbPressed();
    scroll->thumbDraggedTo(10);
    scroll->thumbDraggedTo(10);
    scroll->thumbDraggedTo(40);
    scroll->thumbReleased();
    EXPECT_EQ(record.events, Events({ "Scroll 10", "Scroll 40", "Change 40" }));

    record.events.clear();
    scroll->thumbPressed();
    scroll->thumbDraggedTo(70);
    scroll->thumbDraggedTo(40);
    scroll->thumbReleased(); // back where it began
    scroll->thumbPressed();
    scroll->thumbReleased(); // a press without a move
    EXPECT_EQ(record.events, Events({ "Scroll 70", "Scroll 40" }));
}

TEST(ScrollBar, AChangeWhileTheThumbIsHeldIsTheNewStartOfTheDrag)
{
    Window window;
    ScrollBar *scroll = bar(&window, 0, 100);
    BarRecord record(*scroll);
    scroll->thumbPressed();
    scroll->thumbDraggedTo(30);
    scroll->assignValue(50); // code moves it under the held thumb
    scroll->thumbReleased();
    EXPECT_EQ(record.events, Events({ "Scroll 30", "Change 50" }));
}

TEST(ScrollBar, AValueSetByAssistiveTechnologyIsBroughtIntoRange)
{
    Window window;
    ScrollBar *scroll = bar(&window, 1, 50);
    BarRecord record(*scroll);
    scroll->userSetValue(80);
    scroll->userSetValue(-3);
    EXPECT_EQ(record.events, Events({ "Change 50", "Change 1" }));
}

TEST(ScrollBar, ThumbFractionRunsFromMinToMax)
{
    Window window;
    ScrollBar *scroll = bar(&window, 100, 0);
    scroll->assignValue(25);
    EXPECT_DOUBLE_EQ(scroll->thumbFraction(), 0.75);
    EXPECT_EQ(scroll->valueAtFraction(0), 100);
    EXPECT_EQ(scroll->valueAtFraction(1), 0);
    EXPECT_EQ(scroll->valueAtFraction(0.254), 75);
}

TEST(OptionButton, SelectingOneClearsItsGroupAndClicksOnce)
{
    Window window;
    auto *group = new Frame("group", "Mode", &window, 0, 0, 1000, 1000);
    auto *other = new Frame("other", "Other", &window, 1000, 0, 1000, 1000);
    auto *a = new OptionButton("a", "A", group, 0, 0, 900, 300);
    auto *b = new OptionButton("b", "B", group, 0, 300, 900, 300);
    auto *elsewhere = new OptionButton("c", "C", other, 0, 0, 900, 300);
    Events events;
    a->Click.connect([&] { events.push_back(std::string("a ") + (b->Value() ? "b" : "-")); });
    b->Click.connect([&] { events.push_back(std::string("b ") + (a->Value() ? "a" : "-")); });
    elsewhere->assignValue(true);
    a->assignValue(true);
    a->click(); // already selected
    b->click();
    b->assignValue(false); // clears silently
    EXPECT_EQ(events, Events({ "a -", "b -" }));
    EXPECT_TRUE(elsewhere->Value());
    EXPECT_FALSE(a->isTabStop());
    EXPECT_FALSE(b->isTabStop());
}

TEST(ControlArray, AnIndexWithoutAMemberIsSubscriptOutOfRange)
{
    Window window;
    ControlArray<CommandButton> buttons;
    std::vector<int> clicked;
    for (int index : { 1, 3 }) {
        buttons.add(index, new CommandButton("b_" + std::to_string(index), &window, 0, 0, 1, 1));
    }
    buttons.connect(&CommandButton::Click, [&](int index) { clicked.push_back(index); });
    buttons(3).click();
    buttons(1).click();
    EXPECT_EQ(clicked, std::vector<int>({ 3, 1 }));
    EXPECT_EQ(errorOf([&] { buttons(2); }), Kind::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { buttons(0); }), Kind::SubscriptOutOfRange);
}

TEST(Form, KeyPreviewSeesEveryKeyButFocusNavigation)
{
    Window window;
    std::vector<int> seen;
    window.onKey = [&](int &KeyCode, int) {
        seen.push_back(KeyCode);
        if (KeyCode == VirtualKey::Numpad3) {
            KeyCode = 0;
        }
    };
    EXPECT_EQ(window.keyDown(VirtualKey::Tab, 0), Form::KeyRoute::Focus);
    EXPECT_EQ(window.keyDown(VirtualKey::Tab, ShiftMask::Shift), Form::KeyRoute::Focus);
    EXPECT_EQ(window.keyDown(VirtualKey::Tab, ShiftMask::Ctrl), Form::KeyRoute::ToControl);
    EXPECT_EQ(window.keyDown(VirtualKey::Numpad3, 0), Form::KeyRoute::Consumed);
    EXPECT_EQ(window.keyDown(VirtualKey::Up, 0), Form::KeyRoute::ToControl);
    EXPECT_EQ(seen, std::vector<int>({ VirtualKey::Tab, VirtualKey::Numpad3, VirtualKey::Up }));
}

TEST(Form, MouseMoveGoesToTheTopmostControlInItsOwnTwips)
{
    Window window;
    auto *frame = new Frame("frame", "F", &window, 1000, 1000, 3000, 3000);
    auto *label = new Label("label", "L", frame, 300, 300, 1000, 300);
    new Label("silent", "S", frame, 300, 1500, 1000, 300); // no handler: covers, raises nothing
    Events events;
    const auto record = [&](const char *who) {
        return [&events, who](int button, int shift, float x, float y) {
            events.push_back(std::string(who) + " " + std::to_string(button) + " "
                + std::to_string(shift) + " " + std::to_string(static_cast<int>(x)) + ","
                + std::to_string(static_cast<int>(y)));
        };
    };
    window.MouseMove.connect(record("form"));
    frame->MouseMove.connect(record("frame"));
    label->MouseMove.connect(record("label"));
    window.mouseMoved(1400, 1315, 1, ShiftMask::Shift);
    window.mouseMoved(3000, 3000, 0, 0);
    window.mouseMoved(1400, 2600, 0, 0);
    window.mouseMoved(10, 20, 0, 0);
    EXPECT_EQ(events, Events({ "label 1 1 100,15", "frame 0 0 2000,2000", "form 0 0 10,20" }));
}

TEST(Form, TabStopsFollowTabIndexAndWrap)
{
    Window window;
    auto *first = new CommandButton("first", &window, 0, 0, 1, 1);
    auto *third = new CommandButton("third", &window, 0, 0, 1, 1);
    auto *second = new CommandButton("second", &window, 0, 0, 1, 1);
    new Label("label", "L", &window, 0, 0, 1, 1);
    first->TabIndex = 0;
    second->TabIndex = 1;
    third->TabIndex = 2;
    EXPECT_EQ(window.tabStops(), std::vector<Control *>({ first, second, third }));
    EXPECT_EQ(window.nextTabStop(third, false), first);
    EXPECT_EQ(window.nextTabStop(first, true), third);
    EXPECT_EQ(window.nextTabStop(nullptr, false), first);
}

TEST(Form, ARunTimeErrorEndsTheFormOnceAndStopsTheHandler)
{
    Window window;
    ScrollBar *scroll = bar(&window, 1, 1000);
    std::vector<std::string> reports;
    window.reportFatal = [&](const std::string &message) { reports.push_back(message); };
    bool after = false;
    // The error comes from inside a notification that a handler's assignment raised.
    scroll->Change.connect([] { checkedAdd(std::numeric_limits<int32_t>::max(), 1); });
    window.onKey = [&](int &, int) {
        scroll->assignValue(2);
        after = true;
    };
    testing::internal::CaptureStderr();
    EXPECT_EQ(window.keyDown(VirtualKey::Numpad1, 0), Form::KeyRoute::Consumed);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "armdraw: run-time error 6: Overflow\n");
    window.keyDown(VirtualKey::Numpad1, 0);
    window.mouseMoved(0, 0, 0, 0);
    EXPECT_FALSE(after);
    EXPECT_TRUE(window.ended());
    EXPECT_EQ(reports, std::vector<std::string>({ "Run-time error '6':\n\nOverflow" }));
}

TEST(SurfaceItems, BorderWidthOutsideOneTo8192IsInvalid)
{
    Window window;
    auto *surface = new PictureBox("surface", &window, 0, 0, 3000, 3000);
    LineItem *line = surface->addLine("line", 0);
    EXPECT_EQ(errorOf([&] { line->setBorderWidth(0); }), Kind::InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { line->setBorderWidth(8193); }), Kind::InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { line->setBorderWidth(8192); }), std::nullopt);
    EXPECT_EQ(line->BorderWidth(), 8192);
}
