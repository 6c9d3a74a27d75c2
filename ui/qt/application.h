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

    // Writes the error to the standard error stream and shows it as showFatal does: for an error
    // that escapes outside the form's own delivery of input.
    [[noreturn]] static void reportFatal(const RuntimeError &error);

    // Shows a fatal run-time error's message in a message box, then ends the process with status
    // 1 without returning into the handler that failed.
    [[noreturn]] static void showFatal(const QString &message);
};
