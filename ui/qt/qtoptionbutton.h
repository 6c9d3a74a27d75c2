// A classic option button: selecting it clears the other buttons of its container and raises
// Click once, whether the user or the code selected it.
#pragma once

#include <QRadioButton>

class OptionButton : public QRadioButton
{
    Q_OBJECT

public:
    explicit OptionButton(const QString &caption, QWidget *parent = nullptr);

    bool Value() const { return isChecked(); }
    // True selects the button (raising Click before returning, unless it was selected already);
    // false clears it without raising anything.
    void assignValue(bool selected);

signals:
    void Click();

protected:
    // The whole box is clickable, not only the circle and the caption.
    bool hitButton(const QPoint &pos) const override;

private:
    void onToggled(bool selected);
};
