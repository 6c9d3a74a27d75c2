// A form shown as a top-level widget: a widget for each of its controls, Form_Load before it is
// first shown, and the keyboard, the pointer and the focus keys delivered to the form.
#pragma once

#include <QWidget>

#include <memory>

class Control;
class Form;

class QtForm : public QWidget
{
    Q_OBJECT

public:
    // Takes the form and shows its controls; a run-time error then shows the fatal message box
    // and ends the process with status 1.
    explicit QtForm(std::unique_ptr<Form> form, QWidget *parent = nullptr);
    ~QtForm() override;

    Form &form() const { return *m_form; }

    // Runs Form_Load once, before the form is first shown.
    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createWidget(Control &control, QWidget *parent);
    bool previewKey(QObject *watched, QEvent *event);
    void moveFocus(bool backwards);
    void mouseMoved(QWidget *receiver, QEvent *event);

    std::unique_ptr<Form> m_form;
};
