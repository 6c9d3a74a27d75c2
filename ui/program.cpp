#include "program.h"

#include "frmmain.h"
#include "runtimeerror.h"

#include "controls/application.h"

#include <QIcon>

int runProgram(Application &app)
{
    app.setApplicationName(QStringLiteral("armdraw"));
    // The installed desktop entry's name (set in packaging/): Wayland shells find the window's
    // icon and menu entry through it; X11 and Windows take the icon from the window.
    app.setDesktopFileName(QStringLiteral(ARMDRAW_APP_ID));
    QIcon icon;
    for (const int size : { 48, 128, 256 }) {
        icon.addFile(QStringLiteral(":/icons/armdraw-%1.png").arg(size), QSize(size, size));
    }
    app.setWindowIcon(icon);

    frmMain window;
    try {
        window.show();
    } catch (const RuntimeError &error) {
        Application::reportFatal(error);
    }
    return app.exec();
}
