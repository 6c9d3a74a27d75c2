// What every widget of the Qt layer shares: the mouse set-up, the classic button and modifier
// masks, the focus mark, the look a control's design gives its widget, and the road by which
// input reaches the control.
#pragma once

#include <functional>
#include <string>

class Control;
class Form;
class QColor;
class QMouseEvent;
class QPainter;
class QRect;
class QString;
class QWidget;

namespace QtControl {

// Gives a widget its control's object name and place, and the control set's mouse rules: it sees
// every move over its own area, and a move ends with it instead of reaching its container.
void setUp(QWidget *widget, const Control &control);

// The classic button mask of a mouse notification (left 1, right 2, middle 4).
int buttonState(const QMouseEvent &event);

// The classic focus mark: a dotted rectangle whose outer edge is rect's.
void drawFocusRect(QPainter &painter, const QRect &rect, const QColor &colour);

// The design's colours and font on a frame, label, option button or form: the standard palette
// with the background and text replaced where the design tints them.
void applyLook(QWidget *widget, const Control &control);

QString text(const std::string &utf8);

// The form a control belongs to.
Form &formOf(const Control &control);
// Runs a user's input on the control's form, where a run-time error ends the program.
void deliver(const Control &control, const std::function<void()> &input);

// The widget that shows a control, or null.
QWidget *widgetOf(const Control *control);

} // namespace QtControl
