#include "qtcommandbutton.h"

#include "palette.h"
#include "qtcontrol.h"

#include <QPainter>
#include <qdrawutil.h>

QtCommandButton::QtCommandButton(CommandButton &control, QWidget *parent)
    : QPushButton(parent)
    , m_control(control)
{
    QtControl::setUp(this, control);
    QPalette face = standardPalette();
    if (control.BackColor) {
        face.setColor(QPalette::Button, classicColor(*control.BackColor));
    }
    setPalette(face);
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    changed();
    connect(this, &QAbstractButton::clicked, this,
        [this] { QtControl::deliver(m_control, [this] { m_control.click(); }); });
    control.setPeer(this);
}

void QtCommandButton::changed()
{
    setText(QtControl::text(m_control.Caption()));
}

void QtCommandButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QBrush face = palette().button();
    qDrawWinButton(&painter, rect(), palette(), isDown(), &face);
    if (hasFocus()) {
        QtControl::drawFocusRect(
            painter, rect().adjusted(3, 3, -3, -3), palette().color(QPalette::ButtonText));
    }
    if (!text().isEmpty()) {
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
    }
}
