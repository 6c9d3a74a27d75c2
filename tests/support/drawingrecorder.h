// Rebuilds, from a surface's per-assignment notifications, which drawing procedures ran and what
// each one left on the surface.
#pragma once

#include <QLineF>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <memory>

class PictureBox;
class SurfaceItem;

class DrawingRecorder : public QObject
{
    Q_OBJECT

public:
    // One finished procedure: "Arm1" or "Arm2" (the four end points of Lines_1 or Lines_2),
    // "Anchor" (Left and Top of Anchor1, then of Anchor2), "Width1" or "Width2" (a thickness).
    struct Drawing
    {
        QString what;
        QLineF line {};
        QPointF base {};
        QPointF post {};
        int width = 0;
    };

    explicit DrawingRecorder(PictureBox *surface);
    ~DrawingRecorder() override;

    const QList<Drawing> &drawings() const { return m_drawings; }
    QStringList sequence() const;
    // The drawings of one kind, in order.
    QList<Drawing> only(const QString &what) const;
    // True when no procedure stopped half-way and every assignment fitted a procedure.
    bool complete() const { return m_pending.isEmpty() && !m_broken; }
    void clear();

private:
    void onItemChanged(const SurfaceItem &item);
    void finish(const SurfaceItem *item);

    PictureBox *m_surface;
    QList<Drawing> m_drawings;
    // Names of the items the running procedure has yet to assign, in order.
    QStringList m_pending;
    QString m_running;
    int m_widths[2] = {};
    bool m_broken = false;
    // Cleared when the recorder goes, so that the surface's later changes find no recorder.
    std::shared_ptr<DrawingRecorder *> m_self;
};
