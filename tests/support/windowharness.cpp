#include "windowharness.h"

#include "frmmain.h"

#include "label.h"
#include "lineitem.h"
#include "picturebox.h"
#include "scrollbar.h"
#include "shapeitem.h"

#include <QTest>

WindowHarness::WindowHarness()
    : m_window(std::make_unique<frmMain>())
{
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get())) {
        qFatal("the main window was not exposed");
    }
}

WindowHarness::~WindowHarness() = default;

QObject *WindowHarness::find(const QString &name) const
{
    QObject *found = m_window->findChild<QObject *>(name);
    if (!found) {
        qFatal("no control named %s", qPrintable(name));
    }
    return found;
}

ScrollBar *WindowHarness::scrollBar(const QString &name) const
{
    return control<ScrollBar>(name);
}

PictureBox *WindowHarness::surface() const
{
    return control<PictureBox>(QStringLiteral("Picture1"));
}

LineItem *WindowHarness::line(int index) const
{
    return dynamic_cast<LineItem *>(surface()->item(QStringLiteral("Lines_%1").arg(index)));
}

ShapeItem *WindowHarness::anchorBase() const
{
    return dynamic_cast<ShapeItem *>(surface()->item(QStringLiteral("Anchor1")));
}

ShapeItem *WindowHarness::anchorPost() const
{
    return dynamic_cast<ShapeItem *>(surface()->item(QStringLiteral("Anchor2")));
}

QString WindowHarness::help() const
{
    return control<Label>(QStringLiteral("lblInfo"))->Caption();
}

void WindowHarness::key(Qt::Key key, Qt::KeyboardModifiers modifiers) const
{
    QTest::keyClick(m_window->windowHandle(), key, modifiers);
}

void WindowHarness::moveMouse(QPoint windowPos) const
{
    QTest::mouseMove(m_window->windowHandle(), windowPos);
}

QPoint WindowHarness::centreOf(const QString &name) const
{
    auto *widget = control<QWidget>(name);
    return windowPos(widget, widget->rect().center());
}

QPoint WindowHarness::windowPos(const QWidget *widget, QPoint localPos) const
{
    return widget->mapTo(m_window.get(), localPos);
}
