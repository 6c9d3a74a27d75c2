#include "label.h"

#include "control.h"
#include "twips.h"

#include <QMouseEvent>

Label::Label(const QString &caption, QWidget *parent)
    : QLabel(caption, parent)
{
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Label::mouseMoveEvent(QMouseEvent *event)
{
    emit MouseMove(Control::buttonState(*event), Control::shiftState(*event),
        pixelsToTwips(event->position().x()), pixelsToTwips(event->position().y()));
    event->accept();
}
