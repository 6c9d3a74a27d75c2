#include "optionbutton.h"

OptionButton::OptionButton(const QString &caption, QWidget *parent)
    : QRadioButton(caption, parent)
{
    // Not a tab stop until selected, or a button never yet selected would stay one.
    setFocusPolicy(Qt::ClickFocus);
    connect(this, &QAbstractButton::toggled, this, &OptionButton::onToggled);
}

void OptionButton::assignValue(bool selected)
{
    if (selected || !isChecked()) {
        setChecked(selected);
        return;
    }
    // An exclusive button refuses to be cleared directly.
    setAutoExclusive(false);
    setChecked(false);
    setAutoExclusive(true);
}

bool OptionButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

void OptionButton::onToggled(bool selected)
{
    // Only the selected button of a group is a tab stop; Qt keeps that up only for user clicks.
    setFocusPolicy(selected ? Qt::StrongFocus : Qt::ClickFocus);
    if (selected) {
        emit Click();
    }
}
