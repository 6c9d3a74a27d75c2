// The real main window, shown offscreen, with its controls looked up by name and its input
// sent along Qt's real delivery paths.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <Qt>

#include <memory>

class LineItem;
class PictureBox;
class QWidget;
class ScrollBar;
class ShapeItem;
class frmMain;

class WindowHarness
{
public:
    WindowHarness();
    ~WindowHarness();

    frmMain &window() const { return *m_window; }

    // The control of that object name ("scrRadius_1", "cmdOrigin_5", "fraArm1"...); fails the
    // test and returns null when there is none of that kind.
    template<typename Control> Control *control(const QString &name) const
    {
        return qobject_cast<Control *>(find(name));
    }
    ScrollBar *scrollBar(const QString &name) const;
    PictureBox *surface() const;
    LineItem *line(int index) const;
    ShapeItem *anchorBase() const;
    ShapeItem *anchorPost() const;
    QString help() const;

    // A key press and release through the window, as the platform delivers it: key preview first.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const;
    // A pointer move with no button down, to a point in window coordinates.
    void moveMouse(QPoint windowPos) const;
    // The centre of a control, in window coordinates.
    QPoint centreOf(const QString &name) const;
    QPoint windowPos(const QWidget *widget, QPoint localPos) const;

private:
    QObject *find(const QString &name) const;

    std::unique_ptr<frmMain> m_window;
};
