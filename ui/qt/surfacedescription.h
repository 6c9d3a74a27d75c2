// The words that tell assistive technology what a drawing surface shows, and the notice that
// they changed.
#pragma once

#include <QObject>
#include <QString>

class PictureBox;
class QWidget;

class SurfaceDescription : public QObject
{
    Q_OBJECT

public:
    // Lives as the surface widget's child. The text is the control's, made on demand, so it is
    // never stale; every change the control reports is announced.
    SurfaceDescription(QWidget *surface, PictureBox &control);

    QString text() const;

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

    QWidget *m_surface;
    PictureBox &m_control;
    bool m_pending = false;
};
