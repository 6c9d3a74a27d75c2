// What every control of the set shares.
#pragma once

class QColor;
class QMouseEvent;
class QPainter;
class QRect;
class QWidget;

namespace Control {

// Gives a widget the control set's mouse rules: it sees every move over its own area, and a move
// it does not handle ends with it instead of reaching its container.
void setUp(QWidget *widget, const char *name);

// The classic button and modifier masks of a mouse notification (left 1, right 2, middle 4;
// Shift 1, Ctrl 2, Alt 4).
int buttonState(const QMouseEvent &event);
int shiftState(const QMouseEvent &event);

// The classic focus mark: a dotted rectangle whose outer edge is rect's.
void drawFocusRect(QPainter &painter, const QRect &rect, const QColor &colour);

} // namespace Control
