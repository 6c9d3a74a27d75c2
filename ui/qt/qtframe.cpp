#include "qtframe.h"

#include "qtcontrol.h"

#include <QPainter>

QtFrame::QtFrame(Frame &control, QWidget *parent)
    : QWidget(parent)
    , m_control(control)
{
    QtControl::setUp(this, control);
    QtControl::applyLook(this, control);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    control.setPeer(this);
}

QString QtFrame::Caption() const
{
    return QtControl::text(m_control.Caption());
}

void QtFrame::changed()
{
    update();
}

void QtFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2;
    const QRect box = rect().adjusted(0, top, -1, -1);

    // Etched: a shadow line with a light line just inside it.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(box.adjusted(1, 1, 0, 0));

    const QString caption = Caption();
    if (!caption.isEmpty()) {
        const int left = 6;
        const QRect captionRect(left, 0, metrics.horizontalAdvance(caption) + 2, metrics.height());
        painter.fillRect(captionRect, palette().color(QPalette::Window));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(
            captionRect.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, caption);
    }
}
