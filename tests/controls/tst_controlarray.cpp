// Control arrays of buttons and bars shown by the Qt layer: a user's click or drag raises the
// notification with its member's index.
#include "recorder.h"
#include "testform.h"

#include "qtcontrol.h"
#include "qtform.h"

#include "controls/controlarray.h"
#include "controls/scrollbar.h"

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

    void indexAddressesItsOwnMember();
    void clickCarriesTheButtonsIndex_data();
    void clickCarriesTheButtonsIndex();
    void changeAndScrollCarryTheBarsIndex();

private:
    static QWidget *widget(const Control &control) { return QtControl::widgetOf(&control); }

    std::unique_ptr<QtForm> m_window;
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
    auto form = std::make_unique<TestForm>();
    m_buttons = {};
    m_bars = {};
    // In twips, 15 to a pixel: 20-pixel buttons 30 pixels apart, bars 20 x 150 pixels.
    for (int index = 1; index <= 9; ++index) {
        auto *button = new CommandButton("cmd_" + std::to_string(index), form.get(),
            150 + 450 * ((index - 1) % 3), 150 + 450 * ((index - 1) / 3), 300, 300);
        m_buttons.add(index, button);
    }
    for (int index = 1; index <= 2; ++index) {
        auto *bar = new ScrollBar(ControlKind::VScrollBar, "bar_" + std::to_string(index),
            form.get(), 1800 + 450 * index, 150, 300, 2250);
        bar->assignMin(10000);
        bar->assignMax(1);
        bar->assignValue(1);
        m_bars.add(index, bar);
    }
    m_window = std::make_unique<QtForm>(std::move(form));
    m_window->form().reportFatal = [](const std::string &message) { QFAIL(message.c_str()); };
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    m_recorder = std::make_unique<Recorder>();
    Recorder *recorder = m_recorder.get();
    // The recorder goes before the form at every cleanup, and the form raises nothing in between.
    m_buttons.connect(&CommandButton::Click,
        [recorder](int index) { recorder->mark(QStringLiteral("Click %1").arg(index)); });
    m_bars.connect(&ScrollBar::Change,
        [recorder](int index) { recorder->mark(QStringLiteral("Change %1").arg(index)); });
    m_bars.connect(&ScrollBar::Scroll,
        [recorder](int index) { recorder->mark(QStringLiteral("Scroll %1").arg(index)); });
}

void TstControlArray::cleanup()
{
    m_recorder.reset();
    m_buttons = {};
    m_bars = {};
    m_window.reset();
}

void TstControlArray::indexAddressesItsOwnMember()
{
    m_bars(2).assignValue(1500);
    QCOMPARE(m_bars(1).Value(), 1);
    QCOMPARE(m_bars(2).Value(), 1500);
    QCOMPARE(m_recorder->take(), QStringList { "Change 2" });
    // Button 5 is the centre of the grid.
    QCOMPARE(widget(m_buttons(5))->geometry().topLeft(), QPoint(40, 40));
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
        QWidget *button = widget(m_buttons(index));
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {},
            button->mapTo(m_window.get(), button->rect().center()));
    }
    QCOMPARE(m_recorder->take(), expected);
}

void TstControlArray::changeAndScrollCarryTheBarsIndex()
{
    m_bars(1).assignValue(4000);
    m_bars(2).assignValue(1500);
    QCOMPARE(m_recorder->take(), (QStringList { "Change 1", "Change 2" }));

    // A drag on bar 2's thumb: Scroll while dragging, Change on release, all with index 2.
    QWindow *window = m_window->windowHandle();
    m_bars(2).assignValue(5000); // the thumb in the middle of the bar
    m_recorder->take();
    QWidget *bar = widget(m_bars(2));
    const QPoint grip = bar->mapTo(m_window.get(), bar->rect().center());
    QTest::mousePress(window, Qt::LeftButton, {}, grip);
    QTest::mouseMove(window, grip + QPoint(0, 20));
    QTest::mouseRelease(window, Qt::LeftButton, {}, grip + QPoint(0, 20));
    QCOMPARE(m_recorder->take(), (QStringList { "Scroll 2", "Change 2" }));
}

QTEST_MAIN(TstControlArray)
#include "tst_controlarray.moc"
