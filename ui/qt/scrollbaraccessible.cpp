#include "scrollbaraccessible.h"

#include "scrollbar.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

ScrollBarAccessible::ScrollBarAccessible(ScrollBar *bar)
    : QAccessibleWidget(bar, QAccessible::ScrollBar)
{ }

ScrollBar *ScrollBarAccessible::bar() const
{
    return static_cast<ScrollBar *>(widget());
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
        return QString::number(bar()->Value());
    }
    return QAccessibleWidget::text(t);
}

QVariant ScrollBarAccessible::currentValue() const
{
    return bar()->Value();
}

void ScrollBarAccessible::setCurrentValue(const QVariant &value)
{
    // AT-SPI hands over a double; anything that is not a number is ignored.
    bool ok = false;
    const double wanted = value.toDouble(&ok);
    if (!ok || std::isnan(wanted) || !bar()->isEnabled()) {
        return;
    }
    const double low = std::min(bar()->Min(), bar()->Max());
    const double high = std::max(bar()->Min(), bar()->Max());
    bar()->assignValue(qRound(std::clamp(wanted, low, high)));
}

QVariant ScrollBarAccessible::maximumValue() const
{
    return std::max(bar()->Min(), bar()->Max());
}

QVariant ScrollBarAccessible::minimumValue() const
{
    return std::min(bar()->Min(), bar()->Max());
}

QVariant ScrollBarAccessible::minimumStepSize() const
{
    return bar()->SmallChange();
}
