#include "scrollbaraccessible.h"

#include "qtcontrol.h"
#include "qtscrollbar.h"

#include "controls/scrollbar.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

ScrollBarAccessible::ScrollBarAccessible(QtScrollBar *bar)
    : QAccessibleWidget(bar, QAccessible::ScrollBar)
{ }

ScrollBar &ScrollBarAccessible::bar() const
{
    return static_cast<QtScrollBar *>(widget())->control();
}

void *ScrollBarAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface) {
        return static_cast<QAccessibleValueInterface *>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString ScrollBarAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value) {
        return QString::number(bar().Value());
    }
    return QAccessibleWidget::text(t);
}

QVariant ScrollBarAccessible::currentValue() const
{
    return bar().Value();
}

void ScrollBarAccessible::setCurrentValue(const QVariant &value)
{
    // AT-SPI hands over a double; anything that is not a number is ignored.
    bool ok = false;
    const double wanted = value.toDouble(&ok);
    if (!ok || std::isnan(wanted) || !widget()->isEnabled()) {
        return;
    }
    // Clamped first: a double far outside the range does not fit an int.
    const int clamped = qRound(std::clamp(wanted, double(bar().lowest()), double(bar().highest())));
    QtControl::deliver(bar(), [this, clamped] { bar().userSetValue(clamped); });
}

QVariant ScrollBarAccessible::maximumValue() const
{
    return bar().highest();
}

QVariant ScrollBarAccessible::minimumValue() const
{
    return bar().lowest();
}

QVariant ScrollBarAccessible::minimumStepSize() const
{
    return bar().SmallChange();
}
