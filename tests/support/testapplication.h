// The application object of a window test: the program's own Application (style, palette and
// the Tahoma face), except that a run-time error escaping an event handler fails the running test
// instead of opening the fatal message box, which nothing would close offscreen.
#pragma once

#include "application.h"

#include <QTest>

#include <string>

class TestApplication : public Application
{
    Q_OBJECT

public:
    using Application::Application;

    bool notify(QObject *receiver, QEvent *event) override;

    // Run-time errors caught in event delivery, or reported by a form, since the application
    // started.
    static int escapedErrors() { return s_escapedErrors; }
    // A form's fatal report: counts it and fails the running test.
    static void failOnFatal(const std::string &message);

private:
    static inline int s_escapedErrors = 0;
};

// QTEST_MAIN with the program's application object in place of a plain QApplication.
#define ARMDRAW_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        TestApplication app(argc, argv);                                                           \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
