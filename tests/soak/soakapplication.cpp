#include "soakapplication.h"

#include <exception>
#include <utility>

bool SoakApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        if (m_error.isEmpty()) {
            m_error = QStringLiteral("%1 threw out of a %2 event: %3")
                          .arg(receiver->objectName(), QString::number(event->type()),
                              QString::fromUtf8(error.what()));
        }
    } catch (...) {
        if (m_error.isEmpty()) {
            m_error
                = QStringLiteral("%1 threw a non-standard exception").arg(receiver->objectName());
        }
    }
    return true;
}

QString SoakApplication::takeError()
{
    return std::exchange(m_error, QString());
}

void SoakApplication::recordFatal(const std::string &message)
{
    if (m_error.isEmpty()) {
        m_error = QStringLiteral("the window reported: %1").arg(QString::fromStdString(message));
    }
}
