// A classic scroll bar: 16-bit values, a Min that may be greater than Max, and Change / Scroll
// notifications raised synchronously.
#pragma once

#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

class ScrollBar : public QScrollBar
{
    Q_OBJECT

public:
    explicit ScrollBar(Qt::Orientation orientation, QWidget *parent = nullptr);

    // The classic properties. Min is the value at the top (or left) end, Max at the bottom (or
    // right) end.
    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Value() const;
    int SmallChange() const { return singleStep(); }
    int LargeChange() const { return pageStep(); }

    // Assignments from code. A bound or value that does not fit 16 bits, or a value outside the
    // range, throws RuntimeError (InvalidPropertyValue). A new value raises Change before the
    // assignment returns; the value the bar already has raises nothing.
    void assignMin(int min);
    void assignMax(int max);
    void assignValue(int value);
    void assignSmallChange(int step);
    void assignLargeChange(int step);

    // The style's view of the bar as Qt paints it, and where that puts a part (arrow, track,
    // thumb) now, in the bar's coordinates: for input aimed at a part.
    QStyleOptionSlider styleOption() const;
    QRect partRect(QStyle::SubControl part) const;

signals:
    // The value changed: an arrow or track click, a thumb released at a new value, or code.
    void Change();
    // The thumb is being dragged; Value() is already the thumb's position.
    void Scroll();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // Qt's own position, negated on a bar whose top value is the larger: the logic reads and sets
    // Value() and the classic bounds, never these by mistake.
    using QScrollBar::maximum;
    using QScrollBar::minimum;
    using QScrollBar::setMaximum;
    using QScrollBar::setMinimum;
    using QScrollBar::setRange;
    using QScrollBar::setValue;
    using QScrollBar::value;

    // Qt's range runs top to bottom, so a bar whose top value is the larger is mapped negated.
    int direction() const { return m_min > m_max ? -1 : 1; }
    void applyRange(int min, int max);
    void onValueChanged();

    int m_min = 0;
    int m_max = 32767;
    int m_valueBeforeDrag = 0;
    int m_wheelDelta = 0;
    // Set while code or the wheel moves the value: Change, even while the thumb is held down.
    bool m_notTheThumb = false;
};
