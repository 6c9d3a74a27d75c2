#include "windowharness.h"

#include "testapplication.h"

#include "frmmain.h"
#include "qtcontrol.h"
#include "qtform.h"

#include "controls/picturebox.h"
#include "controls/scrollbar.h"

#include <QTest>

WindowHarness::WindowHarness(std::function<void(const std::string &)> onFatal)
    : m_window(std::make_unique<QtForm>(std::make_unique<frmMain>()))
{
    // Offscreen nothing would close the fatal box.
    m_window->form().reportFatal = onFatal ? std::move(onFatal) : &TestApplication::failOnFatal;
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get())) {
        qFatal("the main window was not exposed");
    }
}

WindowHarness::~WindowHarness() = default;

frmMain &WindowHarness::form() const
{
    return static_cast<frmMain &>(m_window->form());
}

QWidget *WindowHarness::findWidget(const QString &name) const
{
    QWidget *found = m_window->findChild<QWidget *>(name);
    if (!found) {
        qFatal("no control named %s", qPrintable(name));
    }
    return found;
}

Control *WindowHarness::findControl(const QString &name) const
{
    Control *found = m_window->form().find(name.toStdString());
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
    return dynamic_cast<LineItem *>(surface()->item("Lines_" + std::to_string(index)));
}

ShapeItem *WindowHarness::anchorBase() const
{
    return dynamic_cast<ShapeItem *>(surface()->item("Anchor1"));
}

ShapeItem *WindowHarness::anchorPost() const
{
    return dynamic_cast<ShapeItem *>(surface()->item("Anchor2"));
}

QString WindowHarness::help() const
{
    return QString::fromStdString(control<Label>(QStringLiteral("lblInfo"))->Caption());
}

QWidget *WindowHarness::widget(const Control *control)
{
    return QtControl::widgetOf(control);
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
