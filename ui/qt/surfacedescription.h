// The words that tell assistive technology what a drawing surface shows, and the notice that
// they changed.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class PictureBox;
class QWidget;

class SurfaceDescription : public QObject
{
    Q_OBJECT

public:
    using Describer = std::function<QString()>;

    // Lives as the surface's child. The text is made on demand, so it is never stale; every item
    // change announces it.
    SurfaceDescription(PictureBox *surface, Describer describe);

    QString text() const { return m_describe(); }

    // The description attached to a surface, or null.
    static SurfaceDescription *of(const QWidget *surface);

    // Announces a new description once, after the handler that made the changes has finished:
    // one key press moves the items eight times.
    void announceChange();

signals:
    // The announcement went out (to assistive technology, when one is listening).
    void announced();

private:
    void announceNow();

    PictureBox *m_surface;
    Describer m_describe;
    bool m_pending = false;
};
