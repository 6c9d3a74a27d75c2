#include "qtcontrol.h"

#include "fonts.h"
#include "palette.h"
#include "qttwips.h"

#include "controls/form.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace QtControl {

void setUp(QWidget *widget, const Control &control)
{
    widget->setObjectName(text(control.name()));
    widget->setGeometry(
        twipsRect(control.Left(), control.Top(), control.Width(), control.Height()));
    widget->setMouseTracking(true);
    widget->setAttribute(Qt::WA_NoMousePropagation);
}

int buttonState(const QMouseEvent &event)
{
    const Qt::MouseButtons buttons = event.buttons();
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
        | (buttons & Qt::MiddleButton ? 4 : 0);
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

void applyLook(QWidget *widget, const Control &control)
{
    const QPalette standard = standardPalette();
    if (control.BackColor || control.ForeColor) {
        widget->setPalette(tintedPalette(
            control.BackColor ? classicColor(*control.BackColor) : standard.color(QPalette::Window),
            control.ForeColor ? classicColor(*control.ForeColor)
                              : standard.color(QPalette::WindowText)));
    } else {
        widget->setPalette(standard);
    }
    widget->setFont(tahoma(control.Font.points, control.Font.bold));
}

QString text(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

Form &formOf(const Control &control)
{
    const Control *root = &control;
    while (root->container()) {
        root = root->container();
    }
    auto *form = dynamic_cast<Form *>(const_cast<Control *>(root));
    if (!form) {
        qFatal("control %s is on no form", control.name().c_str());
    }
    return *form;
}

void deliver(const Control &control, const std::function<void()> &input)
{
    formOf(control).deliver(input);
}

QWidget *widgetOf(const Control *control)
{
    return control ? dynamic_cast<QWidget *>(control->peer()) : nullptr;
}

} // namespace QtControl
