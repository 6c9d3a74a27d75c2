// What assistive technology sees of the drawing surface: a canvas whose description tells, in
// words, what is drawn on it.
#pragma once

#include <QAccessibleWidget>

class QtPictureBox;

class SurfaceAccessible : public QAccessibleWidget
{
public:
    explicit SurfaceAccessible(QtPictureBox *surface);

    QString text(QAccessible::Text t) const override;
};
