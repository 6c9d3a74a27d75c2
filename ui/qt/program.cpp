#include "program.h"

#include "frmmain.h"
#include "runtimeerror.h"

#include "application.h"
#include "qtform.h"
#ifdef Q_OS_WASM
#include "webpage.h"
#endif

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

    // On the heap, not in this function's stack frame: in the browser exec() leaves this function
    // for good while the event loop runs on, and the frame's stack is used again.
    const auto window = std::make_unique<QtForm>(std::make_unique<frmMain>());
    try {
        window->show();
#ifdef Q_OS_WASM
        attachToPage(window.get());
#endif
    } catch (const RuntimeError &error) {
        Application::reportFatal(error);
    }
    return app.exec();
}
