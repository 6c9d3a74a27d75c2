#include "surfacedescription.h"

#include "picturebox.h"

#include <QAccessible>

SurfaceDescription::SurfaceDescription(PictureBox *surface, Describer describe)
    : QObject(surface)
    , m_surface(surface)
    , m_describe(std::move(describe))
{
    connect(surface, &PictureBox::itemChanged, this, &SurfaceDescription::announceChange);
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
