// The fatal path: a RuntimeError escaping an event handler shows a message box naming it and
// ends the process with status 1, running nothing after the failing statement. The failing
// program is this executable again, started as a child with FATAL_CHILD naming the error.
#include "application.h"
#include "scrollbar.h"

#include "checkedmath.h"

#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <limits>

namespace {

constexpr char ChildVariable[] = "FATAL_CHILD";
constexpr char AfterMarker[] = "after the failing statement";

void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// The child: one failing statement in a timer's handler, the box closed by another timer.
int runChild(int argc, char **argv, const QByteArray &error)
{
    Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("armdraw"));
    ScrollBar bar(Qt::Vertical);
    bar.assignMin(1);
    bar.assignMax(1000);

    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            say(QStringLiteral("box: %1").arg(box->text()));
            box->done(QMessageBox::Ok);
        }
    });
    closer.start(50);

    QTimer::singleShot(0, [&bar, error] {
        if (error == "380") {
            bar.assignValue(1001);
        } else if (error == "6") {
            checkedAdd(std::numeric_limits<int32_t>::max(), 1);
        }
        say(QString::fromLatin1(AfterMarker));
    });
    // Ends the run if the error never comes, so that the parent sees status 0, not a hang.
    QTimer::singleShot(5000, &app, &QCoreApplication::quit);
    return QCoreApplication::exec();
}

} // namespace

class TstFatalError : public QObject
{
    Q_OBJECT

private slots:
    void errorInAHandlerShowsTheBoxAndEndsWithStatusOne_data();
    void errorInAHandlerShowsTheBoxAndEndsWithStatusOne();
};

void TstFatalError::errorInAHandlerShowsTheBoxAndEndsWithStatusOne_data()
{
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("report");

    QTest::newRow("invalid property value")
        << "380"
        << "box: Run-time error '380':\n\nInvalid property value"
        << "armdraw: run-time error 380: Invalid property value";
    QTest::newRow("overflow") << "6"
                              << "box: Run-time error '6':\n\nOverflow"
                              << "armdraw: run-time error 6: Overflow";
}

void TstFatalError::errorInAHandlerShowsTheBoxAndEndsWithStatusOne()
{
    QFETCH(QString, error);
    QFETCH(QString, box);
    QFETCH(QString, report);

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(ChildVariable), error);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY2(child.waitForStarted(10000), qPrintable(child.errorString()));
    if (!child.waitForFinished(30000)) {
        child.kill();
        child.waitForFinished(5000);
        QFAIL("the child did not end within 30 s");
    }
    // Windows writes text streams with \r\n.
    const auto text = [](const QByteArray &bytes) {
        return QString::fromLocal8Bit(bytes).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    };
    const QString out = text(child.readAllStandardOutput());
    const QString err = text(child.readAllStandardError());

    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 1);
    QVERIFY2(out.contains(box), qPrintable(out));
    QVERIFY2(!out.contains(QLatin1String(AfterMarker)), qPrintable(out));
    QVERIFY2(err.contains(report), qPrintable(err));
}

int main(int argc, char **argv)
{
    const QByteArray error = qgetenv(ChildVariable);
    if (!error.isEmpty()) {
        return runChild(argc, argv, error);
    }
    QCoreApplication app(argc, argv);
    TstFatalError test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fatalerror.moc"
