#include "surfaceaccessible.h"

#include "picturebox.h"
#include "surfacedescription.h"

SurfaceAccessible::SurfaceAccessible(PictureBox *surface)
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
