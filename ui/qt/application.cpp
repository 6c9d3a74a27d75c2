#include "application.h"

#include "fonts.h"
#include "palette.h"
#include "runtimeerror.h"

#include "controls/form.h"

#include <QStyle>
#include <QStyleFactory>

#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // One look on every desktop: the layout's tints and pixel places assume the classic light face.
    // Qt fills whatever the application palette and font leave unset from the platform theme, at
    // start and on each theme change; these two set every part. Setting them also drops the
    // theme's per-class palettes and fonts, which setting a style fetches again: style first.
    setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    setPalette(standardPalette());
    loadClassicFonts();
    setFont(tahoma(8.25));
    // The layout is fixed: neither Qt's -reverse option nor a right-to-left language mirrors it.
    setLayoutDirection(Qt::LeftToRight);
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const RuntimeError &error) {
        reportFatal(error);
    }
}

void Application::reportFatal(const RuntimeError &error)
{
    std::fprintf(stderr, "armdraw: run-time error %d: %s\n", error.number(), error.what());
    std::fflush(nullptr);
    showFatal(QString::fromStdString(fatalMessage(error)));
}

void Application::showFatal(const QString &message)
{
    QMessageBox::critical(nullptr, applicationName(), message);
    // exit() would return into the handler that failed; nothing of it may run on.
    std::_Exit(1);
}
