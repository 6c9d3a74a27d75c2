// Mouse-move routing: the topmost control under the pointer that raises MouseMove gets it, in its
// own twips; a control without a handler, a scroll bar or a button ends the move there.
#include "commandbutton.h"
#include "control.h"
#include "form.h"
#include "frame.h"
#include "label.h"
#include "scrollbar.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTest>

#include <memory>

namespace {

class HoverForm : public Form
{
public:
    using Form::Form;

    QStringList log;

protected:
    void Form_MouseMove(int Button, int Shift, float X, float Y) override
    {
        log << QStringLiteral("form %1 %2 %3 %4").arg(Button).arg(Shift).arg(X).arg(Y);
    }
};

} // namespace

class TstMouseMove : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void moveGoesToTheTopmostControlWithMouseNotifications_data();
    void moveGoesToTheTopmostControlWithMouseNotifications();

private:
    template<typename Widget> Widget *add(Widget *control, const char *name, QRect geometry)
    {
        Control::setUp(control, name);
        control->setGeometry(geometry);
        return control;
    }

    std::unique_ptr<HoverForm> m_form;
};

void TstMouseMove::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    m_form = std::make_unique<HoverForm>();
    m_form->resize(400, 300);

    // A frame with a handler holding a label without one, a label with one, a bar and a button.
    auto *frame
        = add(new Frame(QStringLiteral("Frame"), m_form.get()), "frame", { 20, 20, 240, 200 });
    add(new Label(QStringLiteral("Width"), frame), "plainLabel", { 20, 40, 100, 20 });
    auto *hotLabel
        = add(new Label(QStringLiteral("CONTROLS"), frame), "hotLabel", { 20, 80, 150, 20 });
    add(new ScrollBar(Qt::Vertical, frame), "bar", { 200, 30, 20, 150 });
    add(new CommandButton(frame), "button", { 20, 130, 60, 30 });

    const auto log = [this](const char *source) {
        return [this, source](int button, int shift, float x, float y) {
            m_form->log << QStringLiteral("%1 %2 %3 %4 %5")
                               .arg(source)
                               .arg(button)
                               .arg(shift)
                               .arg(x)
                               .arg(y);
        };
    };
    connect(frame, &Frame::MouseMove, this, log("frame"));
    connect(hotLabel, &Label::MouseMove, this, log("label"));

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
    m_form->log.clear();
    QTest::mouseMove(m_form->windowHandle(), target->mapTo(m_form.get(), where));
    QCOMPARE(m_form->log, expected);
}

QTEST_MAIN(TstMouseMove)
#include "tst_mousemove.moc"
