// The application object: catches the fatal run-time errors where Qt delivers events.
#pragma once

#include <QApplication>

#include <functional>

class RuntimeError;

class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Shows the error in a message box that names it, then ends the process with status 1.
    [[noreturn]] static void reportFatal(const RuntimeError &error);

    // The message the box shows, e.g. "Run-time error '6':\n\nOverflow".
    static QString fatalMessage(const RuntimeError &error);
};
