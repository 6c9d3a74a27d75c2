#include "surfaceaccessible.h"

#include "qtpicturebox.h"
#include "surfacedescription.h"

SurfaceAccessible::SurfaceAccessible(QtPictureBox *surface)
    : QAccessibleWidget(surface, QAccessible::Canvas)
{ }

QString SurfaceAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Description) {
        if (const SurfaceDescription *description = SurfaceDescription::of(widget())) {
            return description->text();
        }
    }
    return QAccessibleWidget::text(t);
}
