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

#include <cctype>
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

// A row's description as a test name: letters and digits, the rest underscores.
std::string testName(std::string what)
{
    for (char &c : what) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return what;
}

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

struct Assignment
{
    const char *what;
    int min, max, start, assigned;
    Events expected;
};

class ScrollBarAssignment : public testing::TestWithParam<Assignment>
{ };

TEST_P(ScrollBarAssignment, RaisesChangeBeforeReturningOnlyForANewValue)
{
    const Assignment &row = GetParam();
    Window window;
    ScrollBar *scroll = bar(&window, row.min, row.max);
    scroll->assignValue(row.start);
    BarRecord record(*scroll);
    record.events.push_back("before");
    scroll->assignValue(row.assigned);
    record.events.push_back("after");
    EXPECT_EQ(record.events, row.expected);
    EXPECT_EQ(scroll->Value(), row.assigned);
}

INSTANTIATE_TEST_SUITE_P(Rules, ScrollBarAssignment,
    testing::Values(Assignment { "new value", 1, 1000, 1, 500, { "before", "Change 500", "after" } },
        Assignment { "same value", 1, 1000, 500, 500, { "before", "after" } },
        Assignment { "reversed range, new value", 10000, 1, 1, 4000,
            { "before", "Change 4000", "after" } },
        Assignment { "reversed range, same value", 10000, 1, 4000, 4000, { "before", "after" } },
        Assignment { "reversed range, its top", 10000, 1, 1, 10000,
            { "before", "Change 10000", "after" } },
        Assignment { "negative range", -100, -10, -50, -10, { "before", "Change -10", "after" } }),
    [](const auto &info) { return testName(info.param.what); });

struct BadAssignment
{
    const char *what;
    int min, max;
    void (*assign)(ScrollBar &);
};

class ScrollBarBadAssignment : public testing::TestWithParam<BadAssignment>
{ };

TEST_P(ScrollBarBadAssignment, ThrowsInvalidPropertyValueAndChangesNothing)
{
    const BadAssignment &row = GetParam();
    Window window;
    ScrollBar *scroll = bar(&window, row.min, row.max, 10, 100);
    const int start = (row.min + row.max) / 2;
    scroll->assignValue(start);
    BarRecord record(*scroll);
    EXPECT_EQ(errorOf([&] { row.assign(*scroll); }), Kind::InvalidPropertyValue);
    EXPECT_EQ(scroll->Min(), row.min);
    EXPECT_EQ(scroll->Max(), row.max);
    EXPECT_EQ(scroll->Value(), start);
    EXPECT_EQ(scroll->SmallChange(), 10);
    EXPECT_EQ(scroll->LargeChange(), 100);
    EXPECT_TRUE(record.events.empty());
}

INSTANTIATE_TEST_SUITE_P(Rules, ScrollBarBadAssignment,
    testing::Values(
        BadAssignment { "Value above Max", 1, 1000, [](ScrollBar &b) { b.assignValue(1001); } },
        BadAssignment { "Value below Min", 1, 1000, [](ScrollBar &b) { b.assignValue(0); } },
        BadAssignment {
            "Value above a reversed Min", 10000, 1, [](ScrollBar &b) { b.assignValue(10001); } },
        BadAssignment {
            "Value below a reversed Max", 10000, 1, [](ScrollBar &b) { b.assignValue(0); } },
        BadAssignment {
            "Value beyond 16 bits", -32768, 32767, [](ScrollBar &b) { b.assignValue(32768); } },
        BadAssignment {
            "Value below 16 bits", -32768, 32767, [](ScrollBar &b) { b.assignValue(-32769); } },
        BadAssignment { "Min beyond 16 bits", 1, 1000, [](ScrollBar &b) { b.assignMin(32768); } },
        BadAssignment { "Min below 16 bits", 1, 1000, [](ScrollBar &b) { b.assignMin(-32769); } },
        BadAssignment { "Max beyond 16 bits", 1, 1000, [](ScrollBar &b) { b.assignMax(40000); } },
        BadAssignment { "Max below 16 bits", 1, 1000, [](ScrollBar &b) { b.assignMax(-40000); } },
        BadAssignment { "SmallChange zero", 1, 1000, [](ScrollBar &b) { b.assignSmallChange(0); } },
        BadAssignment { "LargeChange zero", 1, 1000, [](ScrollBar &b) { b.assignLargeChange(0); } },
        BadAssignment { "LargeChange beyond 16 bits", 1, 1000,
            [](ScrollBar &b) { b.assignLargeChange(32768); } }),
    [](const auto &info) { return testName(info.param.what); });

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

struct OptionAssignment
{
    const char *what;
    const char *selected; // the button selected beforehand, if any
    const char *assigned; // the button set to true
    Events expected;
};

class OptionButtonAssignment : public testing::TestWithParam<OptionAssignment>
{ };

TEST_P(OptionButtonAssignment, SelectsClearsTheOtherAndRaisesClickAtOnce)
{
    const OptionAssignment &row = GetParam();
    Window window;
    auto *container = new Frame("container", {}, &window, 0, 0, 3000, 1200);
    auto *a = new OptionButton("a", "A", container, 0, 0, 2700, 450);
    auto *b = new OptionButton("b", "B", container, 0, 600, 2700, 450);
    const auto button = [&](const std::string &name) { return name == "a" ? a : b; };
    Events events;
    // Which buttons are selected, as the Click handler would read them.
    const auto state = [&] {
        return "a=" + std::to_string(a->Value()) + " b=" + std::to_string(b->Value());
    };
    a->Click.connect([&] { events.push_back("a.Click " + state()); });
    b->Click.connect([&] { events.push_back("b.Click " + state()); });
    if (*row.selected) {
        button(row.selected)->assignValue(true);
    }
    events.clear();
    events.push_back("before");
    button(row.assigned)->assignValue(true);
    events.push_back("after");
    EXPECT_EQ(events, row.expected);
    EXPECT_EQ(a->Value(), std::string(row.assigned) == "a");
    EXPECT_EQ(b->Value(), std::string(row.assigned) == "b");
}

INSTANTIATE_TEST_SUITE_P(Rules, OptionButtonAssignment,
    testing::Values(
        OptionAssignment { "first selection", "", "a", { "before", "a.Click a=1 b=0", "after" } },
        OptionAssignment { "the other one", "a", "b", { "before", "b.Click a=0 b=1", "after" } },
        OptionAssignment { "and back", "b", "a", { "before", "a.Click a=1 b=0", "after" } },
        OptionAssignment { "the selected one again", "a", "a", { "before", "after" } }),
    [](const auto &info) { return testName(info.param.what); });

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

    // A grid of nine buttons and a pair of bars, as the window has them.
    ControlArray<CommandButton> grid;
    for (int index = 1; index <= 9; ++index) {
        grid.add(index, new CommandButton("g_" + std::to_string(index), &window, 0, 0, 1, 1));
    }
    ControlArray<ScrollBar> bars;
    bars.add(1, bar(&window, 10000, 1));
    bars.add(2, bar(&window, 10000, 1));
    for (const int index : { 0, 10, -1 }) {
        EXPECT_EQ(errorOf([&] { grid(index); }), Kind::SubscriptOutOfRange) << index;
    }
    for (const int index : { 0, 3 }) {
        EXPECT_EQ(errorOf([&] { bars(index); }), Kind::SubscriptOutOfRange) << index;
    }
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
    // The frame is shown from pixel 67 (1005 twips), where the toolkits place it.
    window.mouseMoved(1002, 1002, 0, 0);
    EXPECT_EQ(events,
        Events({ "label 1 1 95,10", "frame 0 0 1995,1995", "form 0 0 10,20", "form 0 0 1002,1002" }));
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
    line->setBorderWidth(20);
    int changes = 0;
    surface->itemChanged.connect([&](const SurfaceItem &) { ++changes; });
    const struct
    {
        int pixels;
        bool valid;
    } rows[] = { { 0, false }, { -1, false }, { 8193, false }, { 1, true }, { 8192, true } };
    for (const auto &row : rows) {
        const int widthBefore = line->BorderWidth();
        const int changesBefore = changes;
        const auto error = errorOf([&] { line->setBorderWidth(row.pixels); });
        EXPECT_EQ(error, row.valid ? std::nullopt : std::optional(Kind::InvalidPropertyValue))
            << row.pixels;
        EXPECT_EQ(line->BorderWidth(), row.valid ? row.pixels : widthBefore) << row.pixels;
        EXPECT_EQ(changes - changesBefore, row.valid ? 1 : 0) << row.pixels;
    }
}

TEST(SurfaceItems, EachAssignmentRaisesItemChangedOnce)
{
    Window window;
    auto *surface = new PictureBox("surface", &window, 0, 0, 10605, 9645);
    ShapeItem *post = surface->addShape("post", 0, 255, 855);
    LineItem *line = surface->addLine("line", 0x000000FF);
    std::vector<const SurfaceItem *> changed;
    surface->itemChanged.connect([&](const SurfaceItem &item) { changed.push_back(&item); });
    line->setX1(100);
    line->setY1(200);
    post->setLeft(300);
    post->setLeft(300); // the same value: still told
    EXPECT_EQ(changed, (std::vector<const SurfaceItem *> { line, line, post, post }));
}

TEST(PictureBox, WidthAndHeightAreTheOuterSizeInTwips)
{
    Window window;
    auto *surface = new PictureBox("surface", &window, 0, 0, 10605, 9645);
    EXPECT_EQ(surface->Width(), 10605.0);
    EXPECT_EQ(surface->Height(), 9645.0);
    surface->Move(0, 0, 1500, 765);
    EXPECT_EQ(surface->Width(), 1500.0);
    EXPECT_EQ(surface->Height(), 765.0);
}
