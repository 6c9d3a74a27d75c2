// A drawing surface measured in twips that retains line and shape items and paints them beneath
// its controls.
#pragma once

#include "surfaceitem.h"

#include <QWidget>

#include <memory>
#include <vector>

class LineItem;
class ShapeItem;

class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);
    ~PictureBox() override;

    // The outer size in twips.
    double Width() const;
    double Height() const;

    // Clears the drawing area to the background colour; the items stay.
    void Cls();

    // Items are painted in the order they were added, later ones on top.
    LineItem *addLine();
    ShapeItem *addShape(float width, float height);

    const std::vector<std::unique_ptr<SurfaceItem>> &items() const { return m_items; }
    // The item of that name, or null.
    SurfaceItem *item(const QString &name) const;

signals:
    // Raised once per property assignment of an item, also one that changes nothing (and so
    // repaints nothing).
    void itemChanged(const SurfaceItem *item);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    friend class SurfaceItem;
    // Raises itemChanged; before is the item's bounds before a real change, or null.
    void itemAssigned(const SurfaceItem *item, const QRectF *before);

    std::vector<std::unique_ptr<SurfaceItem>> m_items;
};
