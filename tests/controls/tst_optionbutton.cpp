// OptionButton: selecting one clears the other of its container and raises Click once, at once,
// whether the code or the user selected it; only the selected one is a tab stop.
#include "recorder.h"

#include "optionbutton.h"
#include "scrollbar.h"

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

    void assignmentSelectsClearsTheOtherAndRaisesClickAtOnce_data();
    void assignmentSelectsClearsTheOtherAndRaisesClickAtOnce();
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

    std::unique_ptr<QWidget> m_window;
    ScrollBar *m_before = nullptr; // tab stops on either side of the group
    ScrollBar *m_after = nullptr;
    QWidget *m_container = nullptr;
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
    m_window = std::make_unique<QWidget>();
    m_window->resize(300, 200);
    m_before = new ScrollBar(Qt::Horizontal, m_window.get());
    m_before->setGeometry(10, 10, 100, 20);
    m_container = new QWidget(m_window.get());
    m_container->setGeometry(10, 40, 200, 80);
    // Wide boxes: most of each is blank beside the short caption.
    m_a = new OptionButton(QStringLiteral("A"), m_container);
    m_a->setGeometry(0, 0, 180, 30);
    m_b = new OptionButton(QStringLiteral("B"), m_container);
    m_b->setGeometry(0, 40, 180, 30);
    m_after = new ScrollBar(Qt::Horizontal, m_window.get());
    m_after->setGeometry(10, 130, 100, 20);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    m_recorder = std::make_unique<Recorder>();
    const auto state = [this] { return this->state(); };
    m_recorder->watch(m_a, &OptionButton::Click, QStringLiteral("a.Click"), state);
    m_recorder->watch(m_b, &OptionButton::Click, QStringLiteral("b.Click"), state);
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

void TstOptionButton::assignmentSelectsClearsTheOtherAndRaisesClickAtOnce_data()
{
    QTest::addColumn<QString>("selected"); // the button selected beforehand, if any
    QTest::addColumn<QString>("assigned"); // the button set to true
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("first selection") << ""
                                     << "a" << QStringList { "before", "a.Click a=1 b=0", "after" };
    QTest::newRow("the other one") << "a"
                                   << "b" << QStringList { "before", "b.Click a=0 b=1", "after" };
    QTest::newRow("and back") << "b"
                              << "a" << QStringList { "before", "a.Click a=1 b=0", "after" };
    QTest::newRow("the selected one again") << "a"
                                            << "a" << QStringList { "before", "after" };
}

void TstOptionButton::assignmentSelectsClearsTheOtherAndRaisesClickAtOnce()
{
    QFETCH(QString, selected);
    QFETCH(QString, assigned);
    QFETCH(QStringList, expected);

    if (!selected.isEmpty()) {
        button(selected)->assignValue(true);
    }
    m_recorder->take();
    m_recorder->mark(QStringLiteral("before"));
    button(assigned)->assignValue(true);
    m_recorder->mark(QStringLiteral("after"));
    QCOMPARE(m_recorder->take(), expected);
    QCOMPARE(m_a->Value(), assigned == QLatin1String("a"));
    QCOMPARE(m_b->Value(), assigned == QLatin1String("b"));
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
        button(clicked)->mapTo(m_window.get(), where));
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
                target->mapTo(m_window.get(), QPoint(8, 15)));
        } else {
            target->assignValue(true);
        }
    }
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_before->setFocus();
    QList<QWidget *> forwards { m_after };
    QList<QWidget *> backwards { m_before };
    if (!stop.isEmpty()) {
        forwards.prepend(button(stop));
        backwards.prepend(button(stop));
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
