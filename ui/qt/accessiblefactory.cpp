#include "accessiblefactory.h"

#include "qtform.h"
#include "qtframe.h"
#include "qtpicturebox.h"
#include "qtscrollbar.h"
#include "scrollbaraccessible.h"
#include "surfaceaccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

// A frame is a named group: its caption, without the padding spaces, unless it has a name.
class FrameAccessible : public QAccessibleWidget
{
public:
    explicit FrameAccessible(QtFrame *frame)
        : QAccessibleWidget(frame, QAccessible::Grouping)
    { }

    QString text(QAccessible::Text t) const override
    {
        const QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty()) {
            return static_cast<const QtFrame *>(widget())->Caption().trimmed();
        }
        return text;
    }
};

QAccessibleInterface *controlInterface(const QString &className, QObject *object)
{
    // Returning null lets Qt go on with the base classes' interfaces.
    if (className == QLatin1String("QtScrollBar")) {
        if (auto *bar = qobject_cast<QtScrollBar *>(object)) {
            return new ScrollBarAccessible(bar);
        }
    } else if (className == QLatin1String("QtPictureBox")) {
        if (auto *surface = qobject_cast<QtPictureBox *>(object)) {
            return new SurfaceAccessible(surface);
        }
    } else if (className == QLatin1String("QtForm")) {
        // Qt's plain widget is a "filler"; a top-level form is the application's window.
        if (auto *form = qobject_cast<QtForm *>(object)) {
            return new QAccessibleWidget(form, QAccessible::Window);
        }
    } else if (className == QLatin1String("QtFrame")) {
        if (auto *frame = qobject_cast<QtFrame *>(object)) {
            return new FrameAccessible(frame);
        }
    }
    return nullptr;
}

} // namespace

void installControlAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&controlInterface);
        return true;
    }();
    Q_UNUSED(installed);
}
