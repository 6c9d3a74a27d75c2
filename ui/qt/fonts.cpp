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
    // On Qt's defaults, not on the application font that QFont() copies, with every property
    // marked as set: no italic, underline or style name of a desktop's font comes through. The
    // hinting and the grey-scale smoothing are fixed against the desktop's fontconfig and Xft ones.
    // On Windows vertical hinting also takes Qt's DirectWrite engine, not its GDI one, which under
    // Wine clips glyphs (the L's stem, the g's tail, every hyphen).
    QFont font(QStringList { QStringLiteral("Tahoma"), QStringLiteral("Verdana"),
        QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif") });
    font.setPixelSize(qRound(points * 96 / 72));
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}
