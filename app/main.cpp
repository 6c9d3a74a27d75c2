#include "controls/application.h"
#include "frmmain.h"
#include "runtimeerror.h"

#include <QIcon>

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("armdraw"));
    // The installed desktop entry's name (set in packaging/): Wayland shells find the window's
    // icon and menu entry through it; X11 ones take the icon from the window.
    QGuiApplication::setDesktopFileName(QStringLiteral(ARMDRAW_APP_ID));
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(ARMDRAW_APP_ID)));

    frmMain window;
    try {
        window.show();
    } catch (const RuntimeError &error) {
        Application::reportFatal(error);
    }
    return QCoreApplication::exec();
}
