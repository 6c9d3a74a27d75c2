// The program as app/main.cpp builds it, with the first-paint marker added for start-up timing.
#include "firstpaint.h"

#include "frmmain.h"
#include "runtimeerror.h"

#include "controls/application.h"

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("armdraw"));
    FirstPaintMarker marker;

    frmMain window;
    try {
        window.show();
    } catch (const RuntimeError &error) {
        Application::reportFatal(error);
    }
    return QCoreApplication::exec();
}
