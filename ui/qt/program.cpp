#include "program.h"

#include "frmmain.h"
#include "runtimeerror.h"

#include "application.h"
#include "qtform.h"

#include <QIcon>

#include <memory>

int runProgram(Application &app)
{
    app.setApplicationName(QStringLiteral("armdraw"));
    // The installed desktop entry's name (ARMDRAW_APP_ID, set in the top-level CMakeLists.txt):
    // Wayland shells find the window's icon and menu entry through it; X11 and Windows take the
    // icon from the window.
    app.setDesktopFileName(QStringLiteral(ARMDRAW_APP_ID));
    QIcon icon;
    for (const int size : { 48, 128, 256 }) {
        icon.addFile(QStringLiteral(":/icons/armdraw-%1.png").arg(size), QSize(size, size));
    }
    app.setWindowIcon(icon);

    const auto window = std::make_unique<QtForm>(std::make_unique<frmMain>());
    try {
        window->show();
    } catch (const RuntimeError &error) {
        Application::reportFatal(error);
    }
    return app.exec();
}
