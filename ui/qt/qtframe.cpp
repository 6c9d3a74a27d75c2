#include "frame.h"

#include "control.h"
#include "twips.h"

#include <QMouseEvent>
#include <QPainter>

Frame::Frame(const QString &caption, QWidget *parent)
    : QWidget(parent)
    , m_caption(caption)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
}

void Frame::paintEvent(QPaintEvent *)
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

    if (!m_caption.isEmpty()) {
        const int left = 6;
        const QRect captionRect(
            left, 0, metrics.horizontalAdvance(m_caption) + 2, metrics.height());
        painter.fillRect(captionRect, palette().color(QPalette::Window));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(
            captionRect.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, m_caption);
    }
}

void Frame::mouseMoveEvent(QMouseEvent *event)
{
    emit MouseMove(Control::buttonState(*event), Control::shiftState(*event),
        pixelsToTwips(event->position().x()), pixelsToTwips(event->position().y()));
    event->accept();
}
