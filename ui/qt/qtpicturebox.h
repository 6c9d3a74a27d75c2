// A drawing surface control: paints its line and shape items beneath its controls, and repaints
// only what an item covered before and covers now.
#pragma once

#include "controls/picturebox.h"

#include <QPen>
#include <QRectF>
#include <QWidget>

#include <vector>

class QtPictureBox : public QWidget, public SurfacePeer
{
    Q_OBJECT

public:
    QtPictureBox(PictureBox &control, QWidget *parent);
    ~QtPictureBox() override;

    PictureBox &control() const { return m_control; }

    void changed() override;
    void itemChanged(const SurfaceItem &item, bool changed) override;
    void cleared() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // What the widget keeps of an item between its changes: where it painted, in pixels, and
    // for a line the pen, so that painting allocates nothing.
    struct Shown
    {
        const SurfaceItem *item;
        QRectF bounds;
        QPen pen;
    };
    void restyle(Shown &shown) const;
    Shown *shownOf(const SurfaceItem &item);

    PictureBox &m_control;
    std::vector<Shown> m_shown;
};
