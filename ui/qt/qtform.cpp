#include "qtform.h"

#include "accessiblefactory.h"
#include "application.h"
#include "qtcommandbutton.h"
#include "qtcontrol.h"
#include "qtframe.h"
#include "qtkeys.h"
#include "qtlabel.h"
#include "qtoptionbutton.h"
#include "qtpicturebox.h"
#include "qtscrollbar.h"
#include "qttwips.h"
#include "surfacedescription.h"

#include "controls/form.h"
#include "controls/optionbutton.h"
#include "controls/scrollbar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

QtForm::QtForm(std::unique_ptr<Form> form, QWidget *parent)
    : QWidget(parent)
    , m_form(std::move(form))
{
    installControlAccessibility();
    m_form->reportFatal
        = [](const std::string &message) { Application::showFatal(QtControl::text(message)); };
    setWindowTitle(QtControl::text(m_form->Caption()));
    resize(twipsToPixels(m_form->Width()), twipsToPixels(m_form->Height()));
    setMouseTracking(true);
    QtControl::applyLook(this, *m_form);
    if (!m_form->accessibleDescription.empty()) {
        setAccessibleDescription(QtControl::text(m_form->accessibleDescription));
    }
    for (const auto &child : m_form->children()) {
        createWidget(*child, this);
    }
    // The captions that label another control, once that control has its widget.
    for (auto *label : findChildren<QtLabel *>()) {
        if (label->control().buddy) {
            label->setBuddy(QtControl::widgetOf(label->control().buddy));
        }
    }
    if (QWidget *start = QtControl::widgetOf(m_form->startFocus)) {
        start->setFocus();
    }
    // Key preview sees events on their way to whichever child has the focus.
    qApp->installEventFilter(this);
}

QtForm::~QtForm()
{
    qApp->removeEventFilter(this);
    // The widgets go before the form whose controls they show.
    const QList<QWidget *> widgets = findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    qDeleteAll(widgets);
}

void QtForm::createWidget(Control &control, QWidget *parent)
{
    QWidget *widget = nullptr;
    switch (control.kind()) {
    case ControlKind::Frame:
        widget = new QtFrame(static_cast<Frame &>(control), parent);
        break;
    case ControlKind::Label:
        widget = new QtLabel(static_cast<Label &>(control), parent);
        break;
    case ControlKind::CommandButton:
        widget = new QtCommandButton(static_cast<CommandButton &>(control), parent);
        break;
    case ControlKind::OptionButton:
        widget = new QtOptionButton(static_cast<OptionButton &>(control), parent);
        break;
    case ControlKind::HScrollBar:
    case ControlKind::VScrollBar:
        widget = new QtScrollBar(static_cast<ScrollBar &>(control), parent);
        break;
    case ControlKind::PictureBox: {
        auto &surface = static_cast<PictureBox &>(control);
        widget = new QtPictureBox(surface, parent);
        if (surface.describe) {
            new SurfaceDescription(widget, surface);
        }
        break;
    }
    case ControlKind::Form:
        qFatal("a form inside form %s", m_form->name().c_str());
    }
    if (!control.accessibleName.empty()) {
        widget->setAccessibleName(QtControl::text(control.accessibleName));
    }
    if (!control.accessibleDescription.empty()) {
        widget->setAccessibleDescription(QtControl::text(control.accessibleDescription));
    }
    for (const auto &child : control.children()) {
        createWidget(*child, widget);
    }
}

void QtForm::setVisible(bool visible)
{
    if (visible) {
        m_form->load();
    }
    QWidget::setVisible(visible);
}

bool QtForm::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        return previewKey(watched, event);
    case QEvent::MouseMove:
        if (watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == this) {
            mouseMoved(static_cast<QWidget *>(watched), event);
        }
        return false;
    default:
        return false;
    }
}

bool QtForm::previewKey(QObject *watched, QEvent *event)
{
    // The application filter sees a key at the focus widget and again at each parent it
    // propagates to: act only at its first stop in this form. Without an active window Qt's
    // focusWidget() is null while keys still arrive, so ask the form, not the application.
    QWidget *target = focusWidget() ? focusWidget() : this;
    if (watched != target) {
        return false;
    }
    auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::ShortcutOverride) {
        // Claim the key so that no shortcut takes it before the key press exists.
        key->accept();
        return true;
    }
    const int shift = shiftState(key->modifiers());
    switch (m_form->keyDown(virtualKeyCode(*key), shift)) {
    case Form::KeyRoute::Focus:
        moveFocus(key->key() == Qt::Key_Backtab || (shift & ShiftMask::Shift));
        key->accept();
        return true;
    case Form::KeyRoute::Consumed:
        key->accept();
        return true;
    case Form::KeyRoute::ToControl:
        break;
    }
    return false;
}

void QtForm::moveFocus(bool backwards)
{
    const Control *current = nullptr;
    if (QWidget *focused = focusWidget()) {
        current = m_form->find(focused->objectName().toStdString());
    }
    if (QWidget *next = QtControl::widgetOf(m_form->nextTabStop(current, backwards))) {
        next->setFocus(backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    }
}

void QtForm::mouseMoved(QWidget *receiver, QEvent *event)
{
    auto *move = static_cast<QMouseEvent *>(event);
    // A widget that holds the pointer (a dragged thumb) sees moves beyond its edges; those land
    // on no control.
    if (!receiver->rect().contains(move->position().toPoint())) {
        return;
    }
    const QPointF pos = move->position() + QPointF(receiver->mapTo(this, QPoint(0, 0)));
    m_form->mouseMoved(pixelsToTwips(pos.x()), pixelsToTwips(pos.y()),
        QtControl::buttonState(*move), shiftState(move->modifiers()));
}
