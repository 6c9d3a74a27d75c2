// Pointer moves through the Qt layer: the topmost control under the pointer that raises MouseMove
// gets it, in its own twips; a control without a handler, a scroll bar or a button ends the move
// there.
#include "testform.h"

#include "qtform.h"

#include "controls/scrollbar.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTest>

#include <memory>

class TstMouseMove : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void moveGoesToTheTopmostControlWithMouseNotifications_data();
    void moveGoesToTheTopmostControlWithMouseNotifications();

private:
    std::unique_ptr<QtForm> m_form;
    QStringList m_log;
};

void TstMouseMove::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // In twips, 15 to a pixel. A frame with a handler holding a label without one, a label with
    // one, a bar and a button.
    auto form = std::make_unique<TestForm>();
    auto *frame = new Frame("frame", "Frame", form.get(), 300, 300, 3600, 3000);
    new Label("plainLabel", "Width", frame, 300, 600, 1500, 300);
    auto *hotLabel = new Label("hotLabel", "CONTROLS", frame, 300, 1200, 2250, 300);
    new ScrollBar(ControlKind::VScrollBar, "bar", frame, 3000, 450, 300, 2250);
    new CommandButton("button", frame, 300, 1950, 900, 450);

    const auto log = [this](const char *source) {
        return [this, source](int button, int shift, float x, float y) {
            m_log << QStringLiteral("%1 %2 %3 %4 %5")
                         .arg(source)
                         .arg(button)
                         .arg(shift)
                         .arg(x)
                         .arg(y);
        };
    };
    form->MouseMove.connect(log("form"));
    frame->MouseMove.connect(log("frame"));
    hotLabel->MouseMove.connect(log("label"));

    m_form = std::make_unique<QtForm>(std::move(form));
    m_form->form().reportFatal = [](const std::string &message) { QFAIL(message.c_str()); };
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TstMouseMove::cleanupTestCase()
{
    m_form.reset();
}

void TstMouseMove::moveGoesToTheTopmostControlWithMouseNotifications_data()
{
    QTest::addColumn<QString>("control"); // empty: the form
    QTest::addColumn<QPoint>("where"); // in the control's own pixels
    QTest::addColumn<QStringList>("expected"); // "source button shift x y", x and y in twips

    QTest::newRow("form background")
        << "" << QPoint(350, 250) << QStringList { "form 0 0 5250 3750" };
    QTest::newRow("form, beside the frame")
        << "" << QPoint(19, 100) << QStringList { "form 0 0 285 1500" };
    QTest::newRow("frame, bare area")
        << "frame" << QPoint(120, 180) << QStringList { "frame 0 0 1800 2700" };
    QTest::newRow("frame, caption row")
        << "frame" << QPoint(10, 2) << QStringList { "frame 0 0 150 30" };
    QTest::newRow("frame, left border")
        << "frame" << QPoint(0, 100) << QStringList { "frame 0 0 0 1500" };
    QTest::newRow("frame, bottom right corner")
        << "frame" << QPoint(239, 199) << QStringList { "frame 0 0 3585 2985" };
    QTest::newRow("label without handler") << "plainLabel" << QPoint(20, 10) << QStringList();
    QTest::newRow("label without handler, blank part")
        << "plainLabel" << QPoint(98, 18) << QStringList();
    QTest::newRow("label with handler, over its text")
        << "hotLabel" << QPoint(10, 10) << QStringList { "label 0 0 150 150" };
    QTest::newRow("label with handler, blank far right")
        << "hotLabel" << QPoint(148, 18) << QStringList { "label 0 0 2220 270" };
    QTest::newRow("label with handler, top left corner")
        << "hotLabel" << QPoint(0, 0) << QStringList { "label 0 0 0 0" };
    QTest::newRow("scroll bar in the frame") << "bar" << QPoint(10, 75) << QStringList();
    QTest::newRow("button in the frame") << "button" << QPoint(30, 15) << QStringList();
}

void TstMouseMove::moveGoesToTheTopmostControlWithMouseNotifications()
{
    QFETCH(QString, control);
    QFETCH(QPoint, where);
    QFETCH(QStringList, expected);

    QWidget *target = control.isEmpty() ? m_form.get() : m_form->findChild<QWidget *>(control);
    QVERIFY(target);
    // From a place no row uses, so that every row is a real move.
    QTest::mouseMove(m_form->windowHandle(), QPoint(395, 5));
    m_log.clear();
    QTest::mouseMove(m_form->windowHandle(), target->mapTo(m_form.get(), where));
    QCOMPARE(m_log, expected);
}

QTEST_MAIN(TstMouseMove)
#include "tst_mousemove.moc"
