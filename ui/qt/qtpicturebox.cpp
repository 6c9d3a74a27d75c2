#include "qtpicturebox.h"

#include "palette.h"
#include "qtcontrol.h"
#include "qttwips.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

QRectF shapeRect(const ShapeItem &shape)
{
    return { twipsToPoint(shape.Left(), shape.Top()),
        QSizeF(shape.Width() / TwipsPerPixel, shape.Height() / TwipsPerPixel) };
}

} // namespace

QtPictureBox::QtPictureBox(PictureBox &control, QWidget *parent)
    : QWidget(parent)
    , m_control(control)
{
    QtControl::setUp(this, control);
    setPalette(standardPalette());
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
    for (const auto &item : control.items()) {
        m_shown.push_back({ item.get(), {}, {} });
        restyle(m_shown.back());
    }
    control.setSurfacePeer(this);
}

QtPictureBox::~QtPictureBox()
{
    m_control.setSurfacePeer(nullptr);
}

void QtPictureBox::restyle(Shown &shown) const
{
    if (shown.item->kind() == SurfaceItem::Kind::Line) {
        const auto &line = static_cast<const LineItem &>(*shown.item);
        // Half the pen on every side for the round ends, and 2 pixels for antialiasing.
        const qreal pad = line.BorderWidth() / 2.0 + 2;
        shown.bounds
            = QRectF(twipsToPoint(line.X1(), line.Y1()), twipsToPoint(line.X2(), line.Y2()))
                  .normalized()
                  .adjusted(-pad, -pad, pad, pad);
        if (shown.pen.width() != line.BorderWidth() || shown.pen.capStyle() != Qt::RoundCap) {
            shown.pen = QPen(classicColor(line.colour()), line.BorderWidth(), Qt::SolidLine,
                Qt::RoundCap, Qt::RoundJoin);
        }
    } else {
        shown.bounds
            = shapeRect(static_cast<const ShapeItem &>(*shown.item)).adjusted(-2, -2, 2, 2);
    }
}

QtPictureBox::Shown *QtPictureBox::shownOf(const SurfaceItem &item)
{
    for (Shown &shown : m_shown) {
        if (shown.item == &item) {
            return &shown;
        }
    }
    // An item added after the widget was made: painted above the others, as the surface orders it.
    m_shown.push_back({ &item, {}, {} });
    return &m_shown.back();
}

void QtPictureBox::changed()
{
    update();
}

void QtPictureBox::itemChanged(const SurfaceItem &item, bool changed)
{
    // An assignment that changes nothing repaints nothing: a drawing procedure sets all four end
    // points of a line when often only two of them move.
    if (!changed) {
        return;
    }
    Shown *shown = shownOf(item);
    const QRectF before = shown->bounds;
    restyle(*shown);
    // Only what the item covered before and covers now; Qt merges these into one region and
    // paints it once, at the event loop's next turn, however many changes came first.
    update(before.united(shown->bounds).toAlignedRect());
}

void QtPictureBox::cleared()
{
    update();
}

void QtPictureBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(backgroundRole()));
    // Part of the background, on the outermost pixels: the items cover it where they reach the
    // edge, so the drawing looks the same with the focus or without.
    if (hasFocus()) {
        QtControl::drawFocusRect(painter, rect(), palette().color(foregroundRole()));
    }
    // The dirty region is often two far-apart boxes; an item between them needs no painting.
    const QRegion &dirty = event->region();
    for (const Shown &shown : m_shown) {
        if (!dirty.intersects(shown.bounds.toAlignedRect())) {
            continue;
        }
        if (shown.item->kind() == SurfaceItem::Kind::Line) {
            const auto &line = static_cast<const LineItem &>(*shown.item);
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(shown.pen);
            painter.drawLine(
                twipsToPoint(line.X1(), line.Y1()), twipsToPoint(line.X2(), line.Y2()));
        } else {
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.fillRect(shapeRect(static_cast<const ShapeItem &>(*shown.item)),
                classicColor(shown.item->colour()));
        }
    }
}
