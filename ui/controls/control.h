// What every control of the set shares.
#pragma once

class QMouseEvent;
class QWidget;

namespace Control {

// Gives a widget the control set's mouse rules: it sees every move over its own area, and a move
// it does not handle ends with it instead of reaching its container.
void setUp(QWidget *widget, const char *name);

// The classic button and modifier masks of a mouse notification (left 1, right 2, middle 4;
// Shift 1, Ctrl 2, Alt 4).
int buttonState(const QMouseEvent &event);
int shiftState(const QMouseEvent &event);

} // namespace Control
