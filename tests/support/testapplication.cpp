#include "testapplication.h"

#include "runtimeerror.h"

bool TestApplication::notify(QObject *receiver, QEvent *event)
{
    // Past Application::notify on purpose: its handler shows a modal box and ends the process.
    try {
        return QApplication::notify(receiver, event);
    } catch (const RuntimeError &error) {
        ++s_escapedErrors;
        const QByteArray message = "run-time error " + QByteArray::number(error.number()) + " ("
            + error.what() + ") escaped an event handler";
        QTest::qFail(message.constData(), __FILE__, __LINE__);
        return true;
    }
}

void TestApplication::failOnFatal(const std::string &message)
{
    ++s_escapedErrors;
    const std::string failure = "a form reported a fatal error: " + message;
    QTest::qFail(failure.c_str(), __FILE__, __LINE__);
}
