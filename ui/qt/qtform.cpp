#include "form.h"

#include "control.h"
#include "keycodes.h"
#include "twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

Form::Form(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    // Key preview sees events on their way to whichever child has the focus.
    qApp->installEventFilter(this);
}

Form::~Form()
{
    qApp->removeEventFilter(this);
}

void Form::setVisible(bool visible)
{
    if (visible && !m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    QWidget::setVisible(visible);
}

void Form::Form_KeyDown(int &, int) { }

void Form::Form_MouseMove(int, int, float, float) { }

bool Form::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        return previewKey(watched, event);
    default:
        return false;
    }
}

bool Form::previewKey(QObject *watched, QEvent *event)
{
    // The application filter sees a key at the focus widget and again at each parent it
    // propagates to: act only at its first stop in this form. Without an active window Qt's
    // focusWidget() is null while keys still arrive, so ask the form, not the application.
    QWidget *target = focusWidget() ? focusWidget() : this;
    if (watched != target) {
        return false;
    }
    auto *key = static_cast<QKeyEvent *>(event);
    const bool focusKey = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (focusKey) {
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Claim the key so that no shortcut takes it before the key press exists.
        key->accept();
        return true;
    }
    int keyCode = virtualKeyCode(*key);
    Form_KeyDown(keyCode, shiftState(key->modifiers()));
    if (keyCode == 0) {
        key->accept();
        return true;
    }
    return false;
}

void Form::mouseMoveEvent(QMouseEvent *event)
{
    Form_MouseMove(Control::buttonState(*event), Control::shiftState(*event),
        pixelsToTwips(event->position().x()), pixelsToTwips(event->position().y()));
}
