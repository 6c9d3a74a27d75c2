// The real main window, shown offscreen, with its controls looked up by name and its input
// sent along Qt's real delivery paths.
#pragma once

#include "qtform.h"

#include "controls/control.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <Qt>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>

class LineItem;
class PictureBox;
class ScrollBar;
class ShapeItem;
class frmMain;

class WindowHarness
{
public:
    // A run-time error the window reports goes to onFatal; by default it fails the running test.
    explicit WindowHarness(std::function<void(const std::string &)> onFatal = {});
    ~WindowHarness();

    QtForm &window() const { return *m_window; }
    frmMain &form() const;

    // The control of that name ("scrRadius_1", "cmdOrigin_5", "fraArm1"...): its widget for a
    // widget class, the control itself for a control class; fails the test when there is none.
    template<typename Wanted> Wanted *control(const QString &name) const
    {
        if constexpr (std::is_base_of_v<QObject, Wanted>) {
            return qobject_cast<Wanted *>(findWidget(name));
        } else {
            return dynamic_cast<Wanted *>(findControl(name));
        }
    }
    ScrollBar *scrollBar(const QString &name) const;
    PictureBox *surface() const;
    LineItem *line(int index) const;
    ShapeItem *anchorBase() const;
    ShapeItem *anchorPost() const;
    QString help() const;
    // The widget that shows a control.
    static QWidget *widget(const Control *control);

    // A key press and release through the window, as the platform delivers it: key preview first.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const;
    // A pointer move with no button down, to a point in window coordinates.
    void moveMouse(QPoint windowPos) const;
    // The centre of a control, in window coordinates.
    QPoint centreOf(const QString &name) const;
    QPoint windowPos(const QWidget *widget, QPoint localPos) const;

private:
    QWidget *findWidget(const QString &name) const;
    Control *findControl(const QString &name) const;

    std::unique_ptr<QtForm> m_window;
};
