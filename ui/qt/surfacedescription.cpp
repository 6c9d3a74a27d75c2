#include "surfacedescription.h"

#include "qtcontrol.h"

#include "controls/picturebox.h"

#include <QAccessible>
#include <QWidget>

SurfaceDescription::SurfaceDescription(QWidget *surface, PictureBox &control)
    : QObject(surface)
    , m_surface(surface)
    , m_control(control)
{
    // The form's controls outlive their widgets, and the surface raises nothing while they go.
    control.descriptionChanged.connect([this] { announceChange(); });
}

QString SurfaceDescription::text() const
{
    return m_control.describe ? QtControl::text(m_control.describe()) : QString();
}

SurfaceDescription *SurfaceDescription::of(const QWidget *surface)
{
    return surface->findChild<SurfaceDescription *>(QString(), Qt::FindDirectChildrenOnly);
}

void SurfaceDescription::announceChange()
{
    if (m_pending) {
        return;
    }
    m_pending = true;
    QMetaObject::invokeMethod(this, &SurfaceDescription::announceNow, Qt::QueuedConnection);
}

void SurfaceDescription::announceNow()
{
    m_pending = false;
    // Qt drops the event unless a screen reader or another client is listening.
    QAccessibleEvent event(m_surface, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
    emit announced();
}
