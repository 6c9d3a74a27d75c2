// A classic label: plain text in a tinted box, never focused.
#pragma once

#include <QLabel>

class Label : public QLabel
{
    Q_OBJECT

public:
    explicit Label(const QString &caption, QWidget *parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

signals:
    // The pointer moved anywhere over the label's box. X and Y in twips.
    void MouseMove(int button, int shift, float x, float y);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
};
