// ControlArray and CommandButton: members addressed by index, every notification carrying its
// member's index, a missing member a subscript error.
#include "errornumber.h"
#include "recorder.h"

#include "commandbutton.h"
#include "controlarray.h"
#include "scrollbar.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTest>

#include <memory>

class TstControlArray : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void missingIndexIsASubscriptError_data();
    void missingIndexIsASubscriptError();
    void indexAddressesItsOwnMember();
    void clickCarriesTheButtonsIndex_data();
    void clickCarriesTheButtonsIndex();
    void changeAndScrollCarryTheBarsIndex();

private:
    std::unique_ptr<QWidget> m_window;
    ControlArray<CommandButton> m_buttons; // 1 to 9, a 3 x 3 grid
    ControlArray<ScrollBar> m_bars; // 1 and 2
    std::unique_ptr<Recorder> m_recorder;
};

void TstControlArray::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

void TstControlArray::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(200, 200);
    m_buttons = {};
    m_bars = {};
    for (int index = 1; index <= 9; ++index) {
        auto *button = new CommandButton(m_window.get());
        button->setGeometry(10 + 30 * ((index - 1) % 3), 10 + 30 * ((index - 1) / 3), 20, 20);
        m_buttons.add(index, button);
    }
    for (int index = 1; index <= 2; ++index) {
        auto *bar = new ScrollBar(Qt::Vertical, m_window.get());
        bar->setGeometry(120 + 30 * index, 10, 20, 150);
        bar->assignMin(10000);
        bar->assignMax(1);
        bar->assignValue(1);
        m_bars.add(index, bar);
    }
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    m_recorder = std::make_unique<Recorder>();
    Recorder *recorder = m_recorder.get();
    m_buttons.connect(&CommandButton::Click, m_window.get(),
        [recorder](int index) { recorder->mark(QStringLiteral("Click %1").arg(index)); });
    m_bars.connect(&ScrollBar::Change, m_window.get(),
        [recorder](int index) { recorder->mark(QStringLiteral("Change %1").arg(index)); });
    m_bars.connect(&ScrollBar::Scroll, m_window.get(),
        [recorder](int index) { recorder->mark(QStringLiteral("Scroll %1").arg(index)); });
}

void TstControlArray::cleanup()
{
    m_recorder.reset();
    m_buttons = {};
    m_bars = {};
    m_window.reset();
}

void TstControlArray::missingIndexIsASubscriptError_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("last"); // the array's highest index
    QTest::newRow("button 0") << 0 << 9;
    QTest::newRow("button 10") << 10 << 9;
    QTest::newRow("button -1") << -1 << 9;
    QTest::newRow("bar 0") << 0 << 2;
    QTest::newRow("bar 3") << 3 << 2;
}

void TstControlArray::missingIndexIsASubscriptError()
{
    QFETCH(int, index);
    QFETCH(int, last);
    const int number = errorNumber([&] {
        if (last == 9) {
            m_buttons(index);
        } else {
            m_bars(index);
        }
    });
    QCOMPARE(number, 9);
}

void TstControlArray::indexAddressesItsOwnMember()
{
    m_bars(2).assignValue(1500);
    QCOMPARE(m_bars(1).Value(), 1);
    QCOMPARE(m_bars(2).Value(), 1500);
    QCOMPARE(m_recorder->take(), QStringList { "Change 2" });
    // Button 5 is the centre of the grid.
    QCOMPARE(m_buttons(5).geometry().topLeft(), QPoint(40, 40));
}

void TstControlArray::clickCarriesTheButtonsIndex_data()
{
    QTest::addColumn<QList<int>>("clicked");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("one") << QList<int> { 1 } << QStringList { "Click 1" };
    QTest::newRow("centre") << QList<int> { 5 } << QStringList { "Click 5" };
    QTest::newRow("several, in order")
        << QList<int> { 9, 4, 4, 2 } << QStringList { "Click 9", "Click 4", "Click 4", "Click 2" };
}

void TstControlArray::clickCarriesTheButtonsIndex()
{
    QFETCH(QList<int>, clicked);
    QFETCH(QStringList, expected);
    for (const int index : clicked) {
        CommandButton &button = m_buttons(index);
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {},
            button.mapTo(m_window.get(), button.rect().center()));
    }
    QCOMPARE(m_recorder->take(), expected);
}

void TstControlArray::changeAndScrollCarryTheBarsIndex()
{
    m_bars(1).assignValue(4000);
    m_bars(2).assignValue(1500);
    QCOMPARE(m_recorder->take(), (QStringList { "Change 1", "Change 2" }));

    // A drag on bar 2's thumb: Scroll while dragging, Change on release, all with index 2.
    ScrollBar &bar = m_bars(2);
    QWindow *window = m_window->windowHandle();
    bar.assignValue(5000); // the thumb in the middle of the bar
    m_recorder->take();
    const QPoint grip = bar.mapTo(m_window.get(), bar.rect().center());
    QTest::mousePress(window, Qt::LeftButton, {}, grip);
    QTest::mouseMove(window, grip + QPoint(0, 20));
    QTest::mouseRelease(window, Qt::LeftButton, {}, grip + QPoint(0, 20));
    QCOMPARE(m_recorder->take(), (QStringList { "Scroll 2", "Change 2" }));
}

QTEST_MAIN(TstControlArray)
#include "tst_controlarray.moc"
