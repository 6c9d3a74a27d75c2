// The program's application object, except that a run-time error is recorded for the soak to
// report (with its seed) instead of ending the process behind a message box.
#pragma once

#include "application.h"

#include <string>

class SoakApplication : public Application
{
    Q_OBJECT

public:
    using Application::Application;

    bool notify(QObject *receiver, QEvent *event) override;

    // The first error thrown out of an event handler, or reported by the window, since the last
    // call, or an empty string.
    QString takeError();
    void recordFatal(const std::string &message);

private:
    QString m_error;
};
