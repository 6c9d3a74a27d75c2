#include "palette.h"

#include <QApplication>

QPalette standardPalette()
{
    QPalette palette = QApplication::palette();
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            if (r != QPalette::NoRole) {
                palette.setBrush(g, r, palette.brush(g, r));
            }
        }
    }
    return palette;
}

QPalette tintedPalette(const QColor &background, const QColor &text)
{
    QPalette palette = standardPalette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    return palette;
}
