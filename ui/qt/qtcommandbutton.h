// A classic push button: a flat face in the palette's button colour with a bevelled edge.
#pragma once

#include <QPushButton>

class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CommandButton(QWidget *parent = nullptr);

signals:
    void Click();

protected:
    // The style's gradient would hide the fixed face colour the window gives its buttons.
    void paintEvent(QPaintEvent *event) override;
};
