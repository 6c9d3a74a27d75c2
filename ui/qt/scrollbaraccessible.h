// What assistive technology sees of a scroll bar: the classic value, readable and settable.
#pragma once

#include <QAccessibleWidget>

class ScrollBar;

class ScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit ScrollBarAccessible(ScrollBar *bar);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;

    // Values are the classic Value() with the range's lower and upper bound, whichever end of
    // the bar they sit at; Qt's own value() is negated on the length and width bars.
    QVariant currentValue() const override;
    // Clamped to the range, as an arrow click stops at the end, then assigned: the bar raises
    // Change exactly as it does for a user's change.
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    ScrollBar *bar() const;
};
