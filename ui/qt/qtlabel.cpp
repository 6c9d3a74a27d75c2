#include "qtlabel.h"

#include "qtcontrol.h"

QtLabel::QtLabel(Label &control, QWidget *parent)
    : QLabel(parent)
    , m_control(control)
{
    QtControl::setUp(this, control);
    QtControl::applyLook(this, control);
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setAlignment(control.Alignment == TextAlignment::Centre ? Qt::AlignHCenter | Qt::AlignTop
                                                            : Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(control.WordWrap);
    changed();
    control.setPeer(this);
}

void QtLabel::changed()
{
    setText(QtControl::text(m_control.Caption()));
}
