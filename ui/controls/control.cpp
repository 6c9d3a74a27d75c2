#include "control.h"

#include "keycodes.h"

#include <QMouseEvent>
#include <QWidget>

namespace Control {

void setUp(QWidget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setMouseTracking(true);
    widget->setAttribute(Qt::WA_NoMousePropagation);
}

int buttonState(const QMouseEvent &event)
{
    const Qt::MouseButtons buttons = event.buttons();
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
        | (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftState(const QMouseEvent &event)
{
    return ::shiftState(event.modifiers());
}

} // namespace Control
