#include "drawingrecorder.h"

#include "controls/picturebox.h"

namespace {

LineItem *lineOf(const PictureBox *surface, int index)
{
    return dynamic_cast<LineItem *>(surface->item("Lines_" + std::to_string(index)));
}

ShapeItem *shapeOf(const PictureBox *surface, const QString &name)
{
    return dynamic_cast<ShapeItem *>(surface->item(name.toStdString()));
}

} // namespace

DrawingRecorder::DrawingRecorder(PictureBox *surface)
    : m_surface(surface)
{
    for (int index : { 1, 2 }) {
        m_widths[index - 1] = lineOf(surface, index)->BorderWidth();
    }
    m_self = std::make_shared<DrawingRecorder *>(this);
    surface->itemChanged.connect(
        [self = std::weak_ptr<DrawingRecorder *>(m_self)](const SurfaceItem &item) {
            if (const auto recorder = self.lock()) {
                (*recorder)->onItemChanged(item);
            }
        });
}

DrawingRecorder::~DrawingRecorder() = default;

QStringList DrawingRecorder::sequence() const
{
    QStringList names;
    for (const Drawing &drawing : m_drawings) {
        names << drawing.what;
    }
    return names;
}

QList<DrawingRecorder::Drawing> DrawingRecorder::only(const QString &what) const
{
    QList<Drawing> matching;
    for (const Drawing &drawing : m_drawings) {
        if (drawing.what == what) {
            matching << drawing;
        }
    }
    return matching;
}

void DrawingRecorder::clear()
{
    m_drawings.clear();
    m_pending.clear();
    m_running.clear();
    m_broken = false;
}

void DrawingRecorder::onItemChanged(const SurfaceItem &changed)
{
    const SurfaceItem *item = &changed;
    const QString name = QString::fromStdString(item->name());
    for (int index : { 1, 2 }) {
        const LineItem *line = lineOf(m_surface, index);
        // A thickness change is a procedure of its own, never part of a drawing.
        if (item == line && line->BorderWidth() != m_widths[index - 1]) {
            m_widths[index - 1] = line->BorderWidth();
            m_broken = m_broken || !m_pending.isEmpty();
            m_drawings << Drawing { QStringLiteral("Width%1").arg(index), {}, {}, {},
                line->BorderWidth() };
            return;
        }
    }

    if (m_pending.isEmpty()) {
        if (name == QLatin1String("Lines_1") || name == QLatin1String("Lines_2")) {
            m_running = QStringLiteral("Arm") + name.back();
            m_pending = { name, name, name, name };
        } else if (name == QLatin1String("Anchor1")) {
            m_running = QStringLiteral("Anchor");
            m_pending = { name, name, QStringLiteral("Anchor2"), QStringLiteral("Anchor2") };
        } else {
            m_running = QStringLiteral("unexpected ") + name;
            m_pending = { name };
        }
    }
    if (m_pending.front() != name) {
        // Another item changed in the middle of a procedure: log it so that comparisons show it.
        m_broken = true;
        m_drawings << Drawing { m_running + QStringLiteral(" interrupted by ") + name };
        m_pending.clear();
        return;
    }
    m_pending.pop_front();
    if (m_pending.isEmpty()) {
        finish(item);
    }
}

void DrawingRecorder::finish(const SurfaceItem *item)
{
    Drawing drawing { m_running };
    if (const auto *line = dynamic_cast<const LineItem *>(item)) {
        drawing.line = QLineF(line->X1(), line->Y1(), line->X2(), line->Y2());
    } else if (m_running == QLatin1String("Anchor")) {
        const ShapeItem *base = shapeOf(m_surface, QStringLiteral("Anchor1"));
        const ShapeItem *post = shapeOf(m_surface, QStringLiteral("Anchor2"));
        drawing.base = QPointF(base->Left(), base->Top());
        drawing.post = QPointF(post->Left(), post->Top());
    } else {
        m_broken = true;
    }
    m_drawings << drawing;
}
