// A form shown by the Qt layer: Load once before the first show, key preview from Qt's key events
// (every key but Tab and Shift+Tab reaches Form_KeyDown first; a key code set to 0 never reaches
// the focused widget), Tab in the form's order, and controls that never take the focus.
#include "testform.h"

#include "qtcontrol.h"
#include "qtform.h"

#include "controls/scrollbar.h"

#include <QApplication>
#include <QShortcut>
#include <QStyleFactory>
#include <QTest>

#include <memory>

class TstForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    // Load
    void loadRunsOnceBeforeTheFirstShow();

    // Key preview
    void withheldKeyNeverReachesTheFocusedBar_data();
    void withheldKeyNeverReachesTheFocusedBar();
    void keyLeftAloneReachesTheFocusedBar_data();
    void keyLeftAloneReachesTheFocusedBar();
    void previewRunsOncePerKeyPress_data();
    void previewRunsOncePerKeyPress();
    void shortcutNeverTakesAPreviewedKey_data();
    void shortcutNeverTakesAPreviewedKey();

    // Focus
    void tabAndShiftTabAreNotPreviewedAndMoveTheFocus();
    void framesAndLabelsNeverTakeTheFocus_data();
    void framesAndLabelsNeverTakeTheFocus();

private:
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        // Through the window, as the platform delivers keys: key preview runs on this path only.
        QTest::keyClick(m_form->windowHandle(), key, modifiers);
    }
    QWidget *named(const QString &name) const { return m_form->findChild<QWidget *>(name); }

    std::unique_ptr<QtForm> m_form;
    // What the form's Load and key preview saw.
    bool m_withhold = true;
    QStringList m_log;
    int m_loads = 0;
    bool m_visibleAtLoad = true;
    ScrollBar *m_barControl = nullptr;
    QWidget *m_bar = nullptr; // on the form, first in the tab order
    QWidget *m_nestedBar = nullptr; // in the frame, after a label
    QWidget *m_button = nullptr; // on the form, last in the tab order
};

void TstForm::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

void TstForm::init()
{
    m_withhold = true;
    m_log.clear();
    m_loads = 0;
    m_visibleAtLoad = true;
    auto form = std::make_unique<TestForm>();
    form->onLoad = [this] {
        ++m_loads;
        m_visibleAtLoad = m_form->isVisible();
    };
    form->onKey = [this](int &KeyCode, int Shift) {
        m_log << QStringLiteral("KeyDown %1 %2").arg(KeyCode).arg(Shift);
        if (m_withhold) {
            KeyCode = 0;
        }
    };
    // In twips, 15 to a pixel.
    m_barControl = new ScrollBar(ControlKind::VScrollBar, "bar", form.get(), 150, 150, 300, 3000);
    auto *frame = new Frame("frame", "Frame", form.get(), 750, 150, 2400, 3000);
    new Label("label", "Label", frame, 150, 450, 1200, 300);
    auto *nestedBar
        = new ScrollBar(ControlKind::VScrollBar, "nestedBar", frame, 1800, 450, 300, 2250);
    new CommandButton("button", form.get(), 3450, 150, 900, 450);
    for (ScrollBar *bar : { m_barControl, nestedBar }) {
        bar->assignMin(1);
        bar->assignMax(1000);
        bar->assignSmallChange(10);
        bar->assignLargeChange(100);
        bar->assignValue(500);
    }
    m_form = std::make_unique<QtForm>(std::move(form));
    m_form->form().reportFatal = [](const std::string &message) { QFAIL(message.c_str()); };
    m_bar = named(QStringLiteral("bar"));
    m_nestedBar = named(QStringLiteral("nestedBar"));
    m_button = named(QStringLiteral("button"));
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_bar->setFocus();
    QCOMPARE(m_form->focusWidget(), m_bar);
}

void TstForm::cleanup()
{
    m_form.reset();
}

// --- Load

void TstForm::loadRunsOnceBeforeTheFirstShow()
{
    QCOMPARE(m_loads, 1);
    QVERIFY(!m_visibleAtLoad);
    m_form->hide();
    m_form->show();
    QCOMPARE(m_loads, 1);
}

// --- Key preview

void TstForm::withheldKeyNeverReachesTheFocusedBar_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QStringList>("previewed");

    const QString bar = QStringLiteral("bar");
    const QString nested = QStringLiteral("nestedBar");
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    QTest::newRow("Up") << bar << Qt::Key_Up << none << QStringList { "KeyDown 38 0" };
    QTest::newRow("Down") << bar << Qt::Key_Down << none << QStringList { "KeyDown 40 0" };
    QTest::newRow("Left") << bar << Qt::Key_Left << none << QStringList { "KeyDown 37 0" };
    QTest::newRow("Right") << bar << Qt::Key_Right << none << QStringList { "KeyDown 39 0" };
    QTest::newRow("Page Up") << bar << Qt::Key_PageUp << none << QStringList { "KeyDown 33 0" };
    QTest::newRow("Page Down") << bar << Qt::Key_PageDown << none << QStringList { "KeyDown 34 0" };
    QTest::newRow("Home") << bar << Qt::Key_Home << none << QStringList { "KeyDown 36 0" };
    QTest::newRow("End") << bar << Qt::Key_End << none << QStringList { "KeyDown 35 0" };
    QTest::newRow("keypad 3") << bar << Qt::Key_3 << Qt::KeyboardModifiers(Qt::KeypadModifier)
                              << QStringList { "KeyDown 99 0" };
    QTest::newRow("keypad 1, Num Lock off")
        << bar << Qt::Key_End << Qt::KeyboardModifiers(Qt::KeypadModifier)
        << QStringList { "KeyDown 35 0" };
    // The modifier's own key-down is previewed too, carrying its own mask.
    QTest::newRow("Shift+Home") << bar << Qt::Key_Home << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                << QStringList { "KeyDown 16 1", "KeyDown 36 1" };
    QTest::newRow("Ctrl+End") << bar << Qt::Key_End << Qt::KeyboardModifiers(Qt::ControlModifier)
                              << QStringList { "KeyDown 17 2", "KeyDown 35 2" };
    QTest::newRow("Alt+Page Down")
        << bar << Qt::Key_PageDown << Qt::KeyboardModifiers(Qt::AltModifier)
        << QStringList { "KeyDown 18 4", "KeyDown 34 4" };
    QTest::newRow("nested: Home") << nested << Qt::Key_Home << none
                                  << QStringList { "KeyDown 36 0" };
    QTest::newRow("nested: Page Down")
        << nested << Qt::Key_PageDown << none << QStringList { "KeyDown 34 0" };
}

void TstForm::withheldKeyNeverReachesTheFocusedBar()
{
    QFETCH(QString, focus);
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QStringList, previewed);

    QWidget *bar = named(focus);
    bar->setFocus();
    this->key(key, modifiers);
    QCOMPARE(m_log, previewed);
    QCOMPARE(static_cast<ScrollBar *>(m_form->form().find(focus.toStdString()))->Value(), 500);
    QCOMPARE(m_form->focusWidget(), bar);
}

void TstForm::keyLeftAloneReachesTheFocusedBar_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("previewed");
    QTest::addColumn<int>("value");

    QTest::newRow("Home") << Qt::Key_Home << "KeyDown 36 0" << 1;
    QTest::newRow("End") << Qt::Key_End << "KeyDown 35 0" << 1000;
}

void TstForm::keyLeftAloneReachesTheFocusedBar()
{
    QFETCH(Qt::Key, key);
    QFETCH(QString, previewed);
    QFETCH(int, value);

    m_withhold = false;
    this->key(key);
    QCOMPARE(m_log, QStringList { previewed });
    QCOMPARE(m_barControl->Value(), value);
}

void TstForm::previewRunsOncePerKeyPress_data()
{
    QTest::addColumn<QString>("focus"); // empty: nothing has the focus
    QTest::addColumn<bool>("withhold");

    // A letter that no control handles travels up from the focus widget to the form.
    QTest::newRow("bar on the form") << "bar" << false;
    QTest::newRow("bar in a frame") << "nestedBar" << false;
    QTest::newRow("button on the form") << "button" << false;
    QTest::newRow("nothing focused") << "" << false;
    QTest::newRow("bar in a frame, withheld") << "nestedBar" << true;
}

void TstForm::previewRunsOncePerKeyPress()
{
    QFETCH(QString, focus);
    QFETCH(bool, withhold);

    m_withhold = withhold;
    if (focus.isEmpty()) {
        m_form->focusWidget()->clearFocus();
        QCOMPARE(m_form->focusWidget(), nullptr);
    } else {
        named(focus)->setFocus();
    }
    key(Qt::Key_A);
    key(Qt::Key_F5);
    QCOMPARE(m_log, (QStringList { "KeyDown 65 0", "KeyDown 116 0" }));
}

void TstForm::shortcutNeverTakesAPreviewedKey_data()
{
    QTest::addColumn<bool>("withhold");
    QTest::newRow("withheld") << true;
    QTest::newRow("left alone") << false;
}

void TstForm::shortcutNeverTakesAPreviewedKey()
{
    QFETCH(bool, withhold);

    m_withhold = withhold;
    auto *shortcut = new QShortcut(QKeySequence(Qt::Key_S), m_form.get());
    connect(shortcut, &QShortcut::activated, this,
        [this] { m_log << QStringLiteral("shortcut"); });
    key(Qt::Key_S);
    QCOMPARE(m_log, QStringList { "KeyDown 83 0" });
}

// --- Focus

void TstForm::tabAndShiftTabAreNotPreviewedAndMoveTheFocus()
{
    // The frame and its label lie between the two bars in creation order; neither takes a turn.
    const QList<QWidget *> forwards { m_nestedBar, m_button, m_bar };
    for (QWidget *expected : forwards) {
        key(Qt::Key_Tab);
        QCOMPARE(m_form->focusWidget(), expected);
    }
    const QList<QWidget *> backwards { m_button, m_nestedBar, m_bar };
    for (QWidget *expected : backwards) {
        key(Qt::Key_Backtab);
        QCOMPARE(m_form->focusWidget(), expected);
    }
    QCOMPARE(m_log, QStringList());
    QCOMPARE(m_barControl->Value(), 500);
}

void TstForm::framesAndLabelsNeverTakeTheFocus_data()
{
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QPoint>("where");
    QTest::newRow("frame, bare area") << "frame" << QPoint(40, 120);
    QTest::newRow("frame, caption") << "frame" << QPoint(12, 4);
    QTest::newRow("label") << "label" << QPoint(10, 10);
}

void TstForm::framesAndLabelsNeverTakeTheFocus()
{
    QFETCH(QString, clicked);
    QFETCH(QPoint, where);

    QWidget *target = named(clicked);
    QTest::mouseClick(
        m_form->windowHandle(), Qt::LeftButton, {}, target->mapTo(m_form.get(), where));
    QCOMPARE(m_form->focusWidget(), m_bar);
}

QTEST_MAIN(TstForm)
#include "tst_form.moc"
