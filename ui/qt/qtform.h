// A classic top-level form: Load before it is first shown, key preview, and mouse moves over its
// bare background.
#pragma once

#include <QWidget>

class Form : public QWidget
{
    Q_OBJECT

public:
    explicit Form(QWidget *parent = nullptr);
    ~Form() override;

    // Runs Form_Load once, before the form is first shown.
    void setVisible(bool visible) override;

protected:
    virtual void Form_Load() { }
    // Key preview: every key press but Tab and Shift+Tab, before the focused control sees it.
    // KeyCode is the classic virtual-key code; setting it to 0 withholds the key from the control.
    virtual void Form_KeyDown(int &KeyCode, int Shift);
    // Over the form's own background only, not over its controls. X and Y in twips.
    virtual void Form_MouseMove(int Button, int Shift, float X, float Y);

    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    bool previewKey(QObject *watched, QEvent *event);

    bool m_loaded = false;
};
