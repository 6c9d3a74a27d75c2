#include "picturebox.h"

#include "control.h"
#include "lineitem.h"
#include "shapeitem.h"
#include "twips.h"

#include <QPaintEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
}

PictureBox::~PictureBox() = default;

double PictureBox::Width() const
{
    return width() * TwipsPerPixel;
}

double PictureBox::Height() const
{
    return height() * TwipsPerPixel;
}

void PictureBox::Cls()
{
    update();
}

LineItem *PictureBox::addLine()
{
    auto *line = new LineItem(this);
    m_items.emplace_back(line);
    return line;
}

ShapeItem *PictureBox::addShape(float width, float height)
{
    auto *shape = new ShapeItem(this, width, height);
    m_items.emplace_back(shape);
    return shape;
}

SurfaceItem *PictureBox::item(const QString &name) const
{
    for (const auto &candidate : m_items) {
        if (candidate->name() == name) {
            return candidate.get();
        }
    }
    return nullptr;
}

void PictureBox::itemAssigned(const SurfaceItem *item, const QRectF *before)
{
    if (before) {
        // Only what the item covered before and covers now; Qt merges these into one region and
        // paints it once, at the event loop's next turn, however many changes came first.
        update(before->united(item->bounds()).toAlignedRect());
    }
    emit itemChanged(item);
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(backgroundRole()));
    // Part of the background, on the outermost pixels: the items cover it where they reach the
    // edge, so the drawing looks the same with the focus or without.
    if (hasFocus()) {
        Control::drawFocusRect(painter, rect(), palette().color(foregroundRole()));
    }
    // The dirty region is often two far-apart boxes; an item between them needs no painting.
    const QRegion &dirty = event->region();
    for (const auto &item : m_items) {
        if (dirty.intersects(item->bounds().toAlignedRect())) {
            item->paint(painter);
        }
    }
}
