#include "control.h"

#include "keycodes.h"

#include <QMouseEvent>
#include <QPainter>
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

void drawFocusRect(QPainter &painter, const QRect &rect, const QColor &colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(colour, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}

} // namespace Control
