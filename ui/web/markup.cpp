#include "markup.h"

#include "controls/form.h"
#include "controls/optionbutton.h"
#include "controls/picturebox.h"
#include "controls/scrollbar.h"
#include "controls/twips.h"

#include <cmath>
#include <cstdio>

namespace {

// The classic face colours of the desktop build.
constexpr ClassicColour ButtonFace = 0x00EFEFEF;
constexpr ClassicColour White = 0x00FFFFFF;
constexpr ClassicColour Black = 0x00000000;

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string px(int twips)
{
    return std::to_string(twipsToPixels(twips)) + "px";
}

std::string attribute(const char *name, const std::string &value)
{
    return std::string(" ") + name + "=\"" + escapeHtml(value) + '"';
}

// The element that takes the focus for a control: only the form's starting one is in the page's
// tab order, so that Tab reaches the window once and then moves in the window's own order.
std::string tabIndex(const Form &form, const Control &control)
{
    return attribute("tabindex", &control == form.startFocus ? "0" : "-1");
}

std::string classes(const Form &form, const Control &control, const char *base)
{
    return attribute("class", std::string(base) + (&control == form.startFocus ? " f" : ""));
}

std::string description(const Control &control, std::string &attributes)
{
    if (control.accessibleDescription.empty()) {
        return {};
    }
    const std::string id = control.name() + "-d";
    attributes += attribute("aria-describedby", id);
    return "<span" + attribute("id", id) + " hidden>" + escapeHtml(control.accessibleDescription)
        + "</span>";
}

void element(const Form &form, const Control &control, std::string &out);

void children(const Form &form, const Control &control, std::string &out)
{
    for (const auto &child : control.children()) {
        element(form, *child, out);
    }
}

void scrollBar(const Form &form, const ScrollBar &bar, std::string &out)
{
    std::string input = "<input type=\"range\" step=\"1\"" + attribute("min", std::to_string(bar.lowest()))
        + attribute("max", std::to_string(bar.highest()))
        + attribute("value", std::to_string(bar.Value())) + tabIndex(form, bar);
    if (!bar.accessibleName.empty()) {
        input += attribute("aria-label", bar.accessibleName);
    }
    if (bar.isVertical()) {
        input += attribute("aria-orientation", "vertical");
    }
    const std::string note = description(bar, input);
    // Arrows, track and thumb are drawn for the eye; assistive technology gets the range input.
    out += "<div" + attribute("id", bar.name())
        + classes(form, bar, bar.isVertical() ? "sb v" : "sb h") + ">" + input + ">" + note
        + "<b class=\"tr\" aria-hidden=\"true\"></b><b class=\"ar lo\" aria-hidden=\"true\"></b>"
          "<b class=\"ar hi\" aria-hidden=\"true\"></b><b class=\"th\" aria-hidden=\"true\"></b></div>";
}

void surface(const Form &form, const PictureBox &box, std::string &out)
{
    std::string attributes = attribute("id", box.name()) + classes(form, box, "pic")
        + " role=\"img\"" + attribute("aria-label", box.accessibleName) + tabIndex(form, box);
    const std::string id = box.name() + "-d";
    attributes += attribute("aria-describedby", id);
    const int width = twipsToPixels(box.Width());
    const int height = twipsToPixels(box.Height());
    out += "<div" + attributes + "><svg aria-hidden=\"true\" width=\"" + std::to_string(width)
        + "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(width) + ' '
        + std::to_string(height) + "\">";
    for (const auto &item : box.items()) {
        const std::string colour = cssColour(item->colour());
        if (item->kind() == SurfaceItem::Kind::Line) {
            const auto &line = static_cast<const LineItem &>(*item);
            out += "<line" + attribute("id", line.name()) + attribute("x1", number(line.X1() / TwipsPerPixel))
                + attribute("y1", number(line.Y1() / TwipsPerPixel))
                + attribute("x2", number(line.X2() / TwipsPerPixel))
                + attribute("y2", number(line.Y2() / TwipsPerPixel))
                + attribute("stroke-width", std::to_string(line.BorderWidth()))
                + attribute("stroke", colour) + " stroke-linecap=\"round\"/>";
        } else {
            const auto &shape = static_cast<const ShapeItem &>(*item);
            out += "<rect" + attribute("id", shape.name()) + attribute("x", number(shape.Left() / TwipsPerPixel))
                + attribute("y", number(shape.Top() / TwipsPerPixel))
                + attribute("width", number(shape.Width() / TwipsPerPixel))
                + attribute("height", number(shape.Height() / TwipsPerPixel))
                + attribute("fill", colour) + "/>";
        }
    }
    out += "</svg><span" + attribute("id", id) + " hidden>"
        + escapeHtml(box.describe ? box.describe() : std::string()) + "</span></div>";
}

void element(const Form &form, const Control &control, std::string &out)
{
    const std::string id = attribute("id", control.name());
    switch (control.kind()) {
    case ControlKind::Form:
        out += "<div" + id + " class=\"form\">";
        children(form, control, out);
        out += "</div>";
        break;
    case ControlKind::Frame: {
        const auto &frame = static_cast<const Frame &>(control);
        std::string attributes = id + " class=\"fra\" role=\"group\""
            + attribute("aria-labelledby", control.name() + "-c");
        const std::string note = description(frame, attributes);
        out += "<div" + attributes + "><b class=\"etch\" aria-hidden=\"true\"></b><span"
            + attribute("id", control.name() + "-c") + " class=\"cap\">" + escapeHtml(frame.Caption())
            + "</span>" + note;
        children(form, control, out);
        out += "</div>";
        break;
    }
    case ControlKind::Label:
        out += "<div" + id + " class=\"lbl\">"
            + escapeHtml(static_cast<const Label &>(control).Caption()) + "</div>";
        break;
    case ControlKind::CommandButton:
        out += "<button type=\"button\"" + id + classes(form, control, "cmd") + tabIndex(form, control)
            + attribute("aria-label", control.accessibleName) + ">"
            + escapeHtml(static_cast<const CommandButton &>(control).Caption()) + "</button>";
        break;
    case ControlKind::OptionButton: {
        const auto &option = static_cast<const OptionButton &>(control);
        // One group per container, as the buttons' own rule has it.
        out += "<label" + id + classes(form, control, "opt") + "><input type=\"radio\""
            + attribute("name", control.container()->name()) + tabIndex(form, control)
            + (option.Value() ? " checked" : "") + "><span>" + escapeHtml(option.Caption())
            + "</span></label>";
        break;
    }
    case ControlKind::HScrollBar:
    case ControlKind::VScrollBar:
        scrollBar(form, static_cast<const ScrollBar &>(control), out);
        break;
    case ControlKind::PictureBox:
        surface(form, static_cast<const PictureBox &>(control), out);
        break;
    }
}

ClassicColour standardBack(ControlKind kind)
{
    return kind == ControlKind::PictureBox ? White : ButtonFace;
}

void rules(const Control &control, std::string &out)
{
    out += '#' + control.name() + '{';
    if (control.kind() != ControlKind::Form) {
        out += "left:" + px(control.Left()) + ";top:" + px(control.Top()) + ';';
    }
    out += "width:" + px(control.Width()) + ";height:" + px(control.Height()) + ';';
    const ClassicColour back = control.BackColor.value_or(standardBack(control.kind()));
    out += "background-color:" + cssColour(back) + ";color:" + cssColour(control.ForeColor.value_or(Black))
        + ";font:" + (control.Font.bold ? "bold " : "") + number(control.Font.points * 96 / 72) + "px armdraw-tahoma;";
    if (control.kind() == ControlKind::Label) {
        const auto &label = static_cast<const Label &>(control);
        // A wrapped caption keeps its runs of spaces, as the desktop shows the help line's.
        out += std::string("text-align:") + (label.Alignment == TextAlignment::Centre ? "center" : "left")
            + ";white-space:" + (label.WordWrap ? "pre-wrap" : "pre") + ';';
    }
    if (control.kind() == ControlKind::HScrollBar || control.kind() == ControlKind::VScrollBar) {
        out += "--f:" + thumbPlace(static_cast<const ScrollBar &>(control)) + ';';
    }
    out += "}\n";
    for (const auto &child : control.children()) {
        rules(*child, out);
    }
}

} // namespace

std::string windowMarkup(const Form &form)
{
    std::string out;
    element(form, form, out);
    return out;
}

std::string windowStyles(const Form &form)
{
    std::string out;
    rules(form, out);
    return out;
}

std::string cssColour(ClassicColour colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF,
        (colour >> 16) & 0xFF);
    return text;
}

std::string thumbPlace(const ScrollBar &bar)
{
    return number(bar.thumbFraction());
}

std::string escapeHtml(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}
