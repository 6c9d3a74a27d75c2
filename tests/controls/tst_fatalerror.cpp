// The fatal path: a RuntimeError in a handler the Qt layer delivered a key to shows a message box
// naming it and ends the process with status 1, running nothing after the failing statement. The
// failing program is this executable again, started as a child with FATAL_CHILD naming the error.
#include "testform.h"

#include "application.h"
#include "qtform.h"

#include "controls/scrollbar.h"

#include "checkedmath.h"

#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <limits>
#include <memory>

namespace {

constexpr char ChildVariable[] = "FATAL_CHILD";
constexpr char AfterMarker[] = "after the failing statement";

void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// The child: one failing statement in the key handler, the box closed by a timer.
int runChild(int argc, char **argv, const QByteArray &error)
{
    Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("armdraw"));
    auto form = std::make_unique<TestForm>();
    auto *bar = new ScrollBar(ControlKind::VScrollBar, "bar", form.get(), 150, 150, 300, 3000);
    bar->assignMin(1);
    bar->assignMax(1000);
    form->onKey = [bar, error](int &, int) {
        if (error == "380") {
            bar->assignValue(1001);
        } else if (error == "6") {
            checkedAdd(std::numeric_limits<int32_t>::max(), 1);
        }
        say(QString::fromLatin1(AfterMarker));
    };
    QtForm shown(std::move(form));
    shown.show();

    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            say(QStringLiteral("box: %1").arg(box->text()));
            box->done(QMessageBox::Ok);
        }
    });
    closer.start(50);

    QTimer::singleShot(0, [&shown] { QTest::keyClick(shown.windowHandle(), Qt::Key_A); });
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
