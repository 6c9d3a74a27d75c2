// A classic frame: a tinted box with an etched border and its caption set into the top edge.
// It never takes the focus.
#pragma once

#include <QWidget>

class Frame : public QWidget
{
    Q_OBJECT

public:
    explicit Frame(const QString &caption, QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }

signals:
    // The pointer moved over the frame's own area (not over a child control). X and Y in twips.
    void MouseMove(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QString m_caption;
};
