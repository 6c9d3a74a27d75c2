#include "controls/application.h"
#include "frmmain.h"
#include "runtimeerror.h"

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("armdraw"));

    frmMain window;
    try {
        window.show();
    } catch (const RuntimeError &error) {
        Application::reportFatal(error);
    }
    return QCoreApplication::exec();
}
