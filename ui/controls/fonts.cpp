#include "fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QtMath>

void loadClassicFonts()
{
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
        return;
    }
    const QString folder = QStringLiteral("/usr/share/wine/fonts/");
    for (const QString &file : { QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf") }) {
        if (QFile::exists(folder + file)) {
            QFontDatabase::addApplicationFont(folder + file);
        }
    }
}

QFont tahoma(double points, bool bold)
{
    QFont font;
    font.setFamilies({ QStringLiteral("Tahoma"), QStringLiteral("Verdana"),
        QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif") });
    font.setPixelSize(qRound(points * 96 / 72));
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}
