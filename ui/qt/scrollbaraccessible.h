// What assistive technology sees of a scroll bar: the classic value, readable and settable.
#pragma once

#include <QAccessibleWidget>

class QtScrollBar;
class ScrollBar;

class ScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit ScrollBarAccessible(QtScrollBar *bar);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;

    // Values are the classic Value() with the range's lower and upper bound, whichever end of
    // the bar they sit at; Qt's own value() is negated on the length and width bars.
    QVariant currentValue() const override;
    // The user's value for the bar, which brings it into the range and raises Change as for an
    // arrow click.
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    ScrollBar &bar() const;
};
