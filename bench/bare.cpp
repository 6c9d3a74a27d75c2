// The floor for start-up and memory: a window with as many plain Qt widgets of each kind as the
// program's window (5 group boxes, 6 labels, 9 push buttons, 2 radio buttons, 6 scroll bars and
// one plain widget for the drawing surface), at the same places, with the same captions, and no
// logic, fonts, palettes or style of its own.
#include "firstpaint.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace {

// The program's layout is in twips, 15 to a pixel.
template<typename Widget> Widget *place(Widget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(
        qRound(left / 15.0), qRound(top / 15.0), qRound(width / 15.0), qRound(height / 15.0));
    return widget;
}

QScrollBar *bar(
    Qt::Orientation orientation, QWidget *parent, int left, int top, int width, int height)
{
    return place(new QScrollBar(orientation, parent), left, top, width, height);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaintMarker marker;

    QWidget window;
    window.setWindowTitle(QStringLiteral("Form1"));
    window.resize(987, 732);

    auto *arm1 = place(new QGroupBox(QStringLiteral("  Arm 1  "), &window), 11160, 480, 1575, 3525);
    bar(Qt::Vertical, arm1, 315, 450, 300, 1200);
    bar(Qt::Vertical, arm1, 900, 450, 300, 1200);
    place(new QLabel(QStringLiteral("Length"), arm1), 240, 1800, 525, 195);
    place(new QLabel(QStringLiteral("Width"), arm1), 890, 1800, 435, 195);

    auto *arm2 = place(new QGroupBox(QStringLiteral("  Arm 2  "), &window), 12960, 480, 1575, 3525);
    bar(Qt::Vertical, arm2, 315, 450, 300, 1200);
    bar(Qt::Vertical, arm2, 900, 450, 300, 1200);
    place(new QLabel(QStringLiteral("Length"), arm2), 240, 1800, 525, 195);
    place(new QLabel(QStringLiteral("Width"), arm2), 890, 1800, 435, 195);
    auto *mode = place(new QGroupBox(QStringLiteral("Mode"), arm2), 240, 2400, 1095, 855);
    place(new QRadioButton(QStringLiteral("Floating"), mode), 120, 240, 900, 300)->setChecked(true);
    place(new QRadioButton(QStringLiteral("Rigid"), mode), 120, 480, 900, 300);

    auto *origin
        = place(new QGroupBox(QStringLiteral("Anchor Location"), &window), 11760, 4440, 2295, 2055);
    for (int index = 0; index < 9; ++index) {
        const int columns[] = { 950, 1300, 1650 };
        const int rows[] = { 375, 735, 1080 };
        place(new QPushButton(origin), columns[index % 3], rows[index / 3], 255, 255);
    }
    bar(Qt::Vertical, origin, 240, 375, 300, 1100);
    bar(Qt::Horizontal, origin, 720, 1530, 1200, 300);

    auto *hoverHelp
        = place(new QGroupBox(QStringLiteral("Hover Help"), &window), 11520, 9240, 2295, 855);
    place(new QLabel(QStringLiteral("CONTROLS"), hoverHelp), 120, 360, 2055, 240);

    place(new QWidget(&window), 240, 480, 10605, 9645);
    const QString help = QStringLiteral(
        "Use numeric keypad to control angle of arms:  - Bottom row (1 and 3) for red arm - "
        "- Middle row (4 and 6) for blue - Laptops - look for number keys near U I O and "
        "J K L - might have to hold FN key down.");
    auto *info = place(new QLabel(help, &window), 240, 10320, 14265, 495);
    info->setWordWrap(true);

    window.show();
    return QApplication::exec();
}
