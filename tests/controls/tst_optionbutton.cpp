// Option buttons shown by the Qt layer: a user's click anywhere in the box selects the control as
// the assignment does, and Tab reaches only the selected one.
#include "recorder.h"
#include "testform.h"

#include "qtcontrol.h"
#include "qtform.h"

#include "controls/optionbutton.h"
#include "controls/scrollbar.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTest>

#include <memory>

class TstOptionButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void userClickBehavesAsTheAssignment_data();
    void userClickBehavesAsTheAssignment();
    void onlyTheSelectedButtonIsATabStop_data();
    void onlyTheSelectedButtonIsATabStop();

private:
    OptionButton *button(const QString &name) const
    {
        return name == QLatin1String("a") ? m_a : m_b;
    }
    QString state() const;

    QWidget *widget(const Control *control) const { return QtControl::widgetOf(control); }

    std::unique_ptr<QtForm> m_window;
    ScrollBar *m_before = nullptr; // tab stops on either side of the group
    ScrollBar *m_after = nullptr;
    OptionButton *m_a = nullptr;
    OptionButton *m_b = nullptr;
    std::unique_ptr<Recorder> m_recorder;
};

void TstOptionButton::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

void TstOptionButton::init()
{
    auto form = std::make_unique<TestForm>();
    form->reportFatal = [](const std::string &message) { QFAIL(message.c_str()); };
    // In twips, 15 to a pixel: the bars 100 x 20 pixels, the container 200 x 80.
    m_before = new ScrollBar(ControlKind::HScrollBar, "before", form.get(), 150, 150, 1500, 300);
    auto *container = new Frame("container", {}, form.get(), 150, 600, 3000, 1200);
    // Wide boxes: most of each is blank beside the short caption.
    m_a = new OptionButton("a", "A", container, 0, 0, 2700, 450);
    m_b = new OptionButton("b", "B", container, 0, 600, 2700, 450);
    m_after = new ScrollBar(ControlKind::HScrollBar, "after", form.get(), 150, 1950, 1500, 300);
    m_window = std::make_unique<QtForm>(std::move(form));
    m_window->form().reportFatal = [](const std::string &message) { QFAIL(message.c_str()); };
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    m_recorder = std::make_unique<Recorder>();
    const auto state = [this] { return this->state(); };
    m_recorder->watch(m_a->Click, QStringLiteral("a.Click"), state);
    m_recorder->watch(m_b->Click, QStringLiteral("b.Click"), state);
}

void TstOptionButton::cleanup()
{
    m_recorder.reset();
    m_window.reset();
}

// Which buttons are selected, as the Click handler would read them.
QString TstOptionButton::state() const
{
    return QStringLiteral("a=%1 b=%2").arg(int(m_a->Value())).arg(int(m_b->Value()));
}

void TstOptionButton::userClickBehavesAsTheAssignment_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QPoint>("where"); // in the clicked button's box
    QTest::addColumn<QStringList>("expected");

    const QPoint caption(8, 15);
    const QPoint blank(170, 15); // far right of the box, well past the caption
    QTest::newRow("the unselected one") << "a"
                                        << "b" << caption << QStringList { "b.Click a=0 b=1" };
    QTest::newRow("the unselected one, blank part")
        << "a"
        << "b" << blank << QStringList { "b.Click a=0 b=1" };
    QTest::newRow("the unselected one, bottom corner")
        << "b"
        << "a" << QPoint(178, 28) << QStringList { "a.Click a=1 b=0" };
    QTest::newRow("the selected one") << "a"
                                      << "a" << caption << QStringList();
    QTest::newRow("the selected one, blank part") << "a"
                                                  << "a" << blank << QStringList();
}

void TstOptionButton::userClickBehavesAsTheAssignment()
{
    QFETCH(QString, selected);
    QFETCH(QString, clicked);
    QFETCH(QPoint, where);
    QFETCH(QStringList, expected);

    button(selected)->assignValue(true);
    m_recorder->take();
    QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {},
        widget(button(clicked))->mapTo(m_window.get(), where));
    QCOMPARE(m_recorder->take(), expected);
    QVERIFY(button(clicked)->Value());
    QCOMPARE(int(m_a->Value()) + int(m_b->Value()), 1);
}

void TstOptionButton::onlyTheSelectedButtonIsATabStop_data()
{
    QTest::addColumn<QStringList>("selections"); // in order, from code
    QTest::addColumn<bool>("byClick"); // the last selection by a user's click instead
    QTest::addColumn<QString>("stop"); // empty: no tab stop in the group

    QTest::newRow("neither selected yet") << QStringList() << false << "";
    QTest::newRow("a from code") << QStringList { "a" } << false << "a";
    QTest::newRow("b from code") << QStringList { "b" } << false << "b";
    QTest::newRow("b, then a from code") << QStringList { "b", "a" } << false << "a";
    QTest::newRow("a, then b by a click") << QStringList { "a", "b" } << true << "b";
}

void TstOptionButton::onlyTheSelectedButtonIsATabStop()
{
    QFETCH(QStringList, selections);
    QFETCH(bool, byClick);
    QFETCH(QString, stop);

    for (qsizetype i = 0; i < selections.size(); ++i) {
        OptionButton *target = button(selections[i]);
        if (byClick && i == selections.size() - 1) {
            QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {},
                widget(target)->mapTo(m_window.get(), QPoint(8, 15)));
        } else {
            target->assignValue(true);
        }
    }
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    widget(m_before)->setFocus();
    QList<QWidget *> forwards { widget(m_after) };
    QList<QWidget *> backwards { widget(m_before) };
    if (!stop.isEmpty()) {
        forwards.prepend(widget(button(stop)));
        backwards.prepend(widget(button(stop)));
    }
    for (QWidget *expected : forwards) {
        QTest::keyClick(m_window->windowHandle(), Qt::Key_Tab);
        QCOMPARE(m_window->focusWidget(), expected);
    }
    for (QWidget *expected : backwards) {
        QTest::keyClick(m_window->windowHandle(), Qt::Key_Backtab);
        QCOMPARE(m_window->focusWidget(), expected);
    }
}

QTEST_MAIN(TstOptionButton)
#include "tst_optionbutton.moc"
