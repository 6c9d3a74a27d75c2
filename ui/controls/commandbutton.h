// A classic push button.
#pragma once

#include <QPushButton>

class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CommandButton(QWidget *parent = nullptr);

signals:
    void Click();
};
