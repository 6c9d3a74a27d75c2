#include "webpage.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QBackingStore>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <qpa/qplatformwindow.h>
#include <qpa/qwindowsysteminterface.h>

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cmath>
#include <string>
#include <utility>

using emscripten::val;

namespace {

QPointer<QWidget> pageWindow;

// Watches the window for the browser's pixel ratio changes and for its repaints.
class PageWatcher : public QObject
{
public:
    explicit PageWatcher(QWidget *window)
        : QObject(window)
        , m_window(window)
        , m_ratio(platformRatio())
    {
        window->windowHandle()->installEventFilter(this);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Expose && type != QEvent::UpdateRequest) {
            return false;
        }
        // A new ratio (zoom, a pinch, a move to another screen) leaves Qt's canvas at the old
        // density when no resize event came with it: resize it as one would. Then the backing
        // store makes a new, uninitialised image at its next paint, of which Qt paints only what
        // is dirty, nothing or what a key press changed: make every control dirty first.
        if (const qreal ratio = platformRatio(); ratio != m_ratio) {
            m_ratio = ratio;
            val::module_property("qtResizeAllScreens")(val::null());
            for (QWidget *child : m_window->findChildren<QWidget *>()) {
                child->update();
            }
            m_window->update();
        }
        if (watched == m_window && type == QEvent::UpdateRequest && !m_repainted) {
            m_repainted = true;
            QMetaObject::invokeMethod(this, &PageWatcher::afterRepaint, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void afterRepaint()
    {
        m_repainted = false;
        // At a fractional ratio (a zoomed phone page) the platform rounds the corner and the size
        // of each repainted area to device pixels apart, and may copy a row short to the screen,
        // which keeps a row of the old picture: copy it the whole image, which paints nothing.
        if (std::floor(m_ratio) != m_ratio) {
            m_window->backingStore()->flush(QRegion(m_window->rect()), m_window->windowHandle());
        }
        // Every change the page mirrors, from a value to the help line, ends in a repaint.
        callPage("armdrawWindowChanged");
    }

    // The browser's ratio, which the backing store follows; QWindow's own lags behind it.
    qreal platformRatio() const { return m_window->windowHandle()->handle()->devicePixelRatio(); }

    QWidget *m_window;
    qreal m_ratio;
    bool m_repainted = false;
};

// What the page makes of an accessible role, or null for what it leaves out.
const char *pageRole(QAccessible::Role role)
{
    static constexpr std::pair<QAccessible::Role, const char *> roles[] = {
        { QAccessible::Window, "window" }, { QAccessible::Grouping, "group" },
        { QAccessible::Button, "button" }, { QAccessible::RadioButton, "radio" },
        { QAccessible::ScrollBar, "range" }, { QAccessible::StaticText, "text" },
        { QAccessible::Canvas, "image" },
    };
    for (const auto &[qtRole, name] : roles) {
        if (qtRole == role) {
            return name;
        }
    }
    return nullptr;
}

val describe(QAccessibleInterface *interface, const QPoint &origin)
{
    val node = val::object();
    const char *role = pageRole(interface->role());
    if (!role || interface->state().invisible) {
        return val::null();
    }
    node.set("id", QAccessible::uniqueId(interface));
    node.set("role", role);
    node.set("name", interface->text(QAccessible::Name).toStdString());
    node.set("description", interface->text(QAccessible::Description).toStdString());
    const QRect rect = interface->rect().translated(-origin);
    node.set("x", rect.x());
    node.set("y", rect.y());
    node.set("width", rect.width());
    node.set("height", rect.height());
    node.set("disabled", bool(interface->state().disabled));
    node.set("checked", bool(interface->state().checked));
    if (QAccessibleValueInterface *value = interface->valueInterface()) {
        node.set("value", value->currentValue().toDouble());
        node.set("minimum", value->minimumValue().toDouble());
        node.set("maximum", value->maximumValue().toDouble());
    }
    val children = val::array();
    for (int i = 0; i < interface->childCount(); ++i) {
        if (QAccessibleInterface *child = interface->child(i)) {
            if (val described = describe(child, origin); !described.isNull()) {
                children.call<void>("push", described);
            }
        }
    }
    node.set("children", children);
    return node;
}

// The window's accessible tree as the page mirrors it, positions in the window's pixels.
val accessibleTree()
{
    if (!pageWindow) {
        return val::null();
    }
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(pageWindow.data());
    return root ? describe(root, root->rect().topLeft()) : val::null();
}

// Acts on a control through the mirror as a user would: "press" clicks a button or an option
// button; "set" gives a bar a value, which it clamps to its range and announces with Change.
bool accessibleAction(QAccessible::Id id, const std::string &action, double value)
{
    QAccessibleInterface *interface = QAccessible::accessibleInterface(id);
    if (!interface || !interface->isValid() || interface->state().disabled) {
        return false;
    }
    if (action == "press") {
        // A button offers a press, an option button a toggle that selects it.
        QAccessibleActionInterface *actions = interface->actionInterface();
        const QStringList names = actions ? actions->actionNames() : QStringList();
        for (const QString &name : { QAccessibleActionInterface::pressAction(),
                 QAccessibleActionInterface::toggleAction() }) {
            if (names.contains(name)) {
                actions->doAction(name);
                return true;
            }
        }
        return false;
    }
    if (action == "set" && std::isfinite(value)) {
        if (QAccessibleValueInterface *values = interface->valueInterface()) {
            values->setCurrentValue(value);
            return true;
        }
    }
    return false;
}

// A key of the on-page keypad, on the road a real key takes: keypad "1", "3", "4", "6", or " ".
bool pressKey(const std::string &key)
{
    QWindow *target = pageWindow ? pageWindow->windowHandle() : nullptr;
    if (!target || key.size() != 1 || std::string(" 1346").find(key[0]) == std::string::npos) {
        return false;
    }
    // Qt's keys for digits and Space are their character codes.
    const int code = key[0];
    const Qt::KeyboardModifiers modifiers = key == " " ? Qt::NoModifier : Qt::KeypadModifier;
    const QString text = QString::fromLatin1(key.c_str(), 1);
    for (const QEvent::Type type : { QEvent::KeyPress, QEvent::KeyRelease }) {
        QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::SynchronousDelivery>(
            target, type, code, modifiers, text);
    }
    return true;
}

} // namespace

void callPage(const char *name, const QString &text)
{
    const val function = val::global(name);
    if (function.typeOf().as<std::string>() == "function") {
        function(text.toStdString());
    }
}

EMSCRIPTEN_BINDINGS(armdraw_page)
{
    emscripten::function("armdrawPressKey", &pressKey);
    emscripten::function("armdrawAccessibleTree", &accessibleTree);
    emscripten::function("armdrawAccessibleAction", &accessibleAction);
}

void prepareForPage()
{
    // Qt makes an input context for touch screens which, on Android, listens for keys at the
    // page's window too and hands every key to the window a second time. The program takes no
    // text: no input context at all.
    qputenv("QT_IM_MODULE", "none");
}

void attachToPage(QWidget *window)
{
    pageWindow = window;
    new PageWatcher(window);
    callPage("armdrawWindowChanged");
}
