// Qt's key events mapped onto the classic virtual-key codes and modifier mask.
#include "qtkeys.h"

#include <QKeyEvent>
#include <QTest>

class TstKeyCodes : public QObject
{
    Q_OBJECT

private slots:
    void virtualKeyCode_data();
    void virtualKeyCode();
    void keypadKnownByKeysymAlone_data();
    void keypadKnownByKeysymAlone();
    void browserKeysGiveTheDesktopCodes_data();
    void browserKeysGiveTheDesktopCodes();
    void shiftState_data();
    void shiftState();
};

void TstKeyCodes::virtualKeyCode_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("code");

    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    const Qt::KeyboardModifiers none = Qt::NoModifier;

    // The keypad's digits with Num Lock on: 96..105.
    for (int digit = 0; digit <= 9; ++digit) {
        QTest::addRow("keypad %d", digit) << int(Qt::Key_0) + digit << keypad << 96 + digit;
    }
    QTest::newRow("keypad 3 with Shift") << int(Qt::Key_3) << (keypad | Qt::ShiftModifier) << 99;

    // The keypad with Num Lock off gives navigation keys: the same codes as the plain ones.
    QTest::newRow("keypad 9, Num Lock off") << int(Qt::Key_PageUp) << keypad << 33;
    QTest::newRow("keypad 3, Num Lock off") << int(Qt::Key_PageDown) << keypad << 34;
    QTest::newRow("keypad 1, Num Lock off") << int(Qt::Key_End) << keypad << 35;
    QTest::newRow("keypad 7, Num Lock off") << int(Qt::Key_Home) << keypad << 36;
    QTest::newRow("keypad 4, Num Lock off") << int(Qt::Key_Left) << keypad << 37;
    QTest::newRow("keypad 8, Num Lock off") << int(Qt::Key_Up) << keypad << 38;
    QTest::newRow("keypad 6, Num Lock off") << int(Qt::Key_Right) << keypad << 39;
    QTest::newRow("keypad 2, Num Lock off") << int(Qt::Key_Down) << keypad << 40;

    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << none << 33;
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << none << 34;
    QTest::newRow("End") << int(Qt::Key_End) << none << 35;
    QTest::newRow("Home") << int(Qt::Key_Home) << none << 36;
    QTest::newRow("Left") << int(Qt::Key_Left) << none << 37;
    QTest::newRow("Up") << int(Qt::Key_Up) << none << 38;
    QTest::newRow("Right") << int(Qt::Key_Right) << none << 39;
    QTest::newRow("Down") << int(Qt::Key_Down) << none << 40;

    QTest::newRow("Space") << int(Qt::Key_Space) << none << 32;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << none << 9;
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                               << 9;
    QTest::newRow("A") << int(Qt::Key_A) << none << 65;
    QTest::newRow("Z") << int(Qt::Key_Z) << none << 90;
    QTest::newRow("Shift+A") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 65;
    // The main keyboard's digits keep their character codes, apart from the keypad's.
    QTest::newRow("main 0") << int(Qt::Key_0) << none << 48;
    QTest::newRow("main 3") << int(Qt::Key_3) << none << 51;
    QTest::newRow("main 9") << int(Qt::Key_9) << none << 57;

    QTest::newRow("unmapped: F35") << int(Qt::Key_F35) << none << 255;
    QTest::newRow("unmapped: percent") << int(Qt::Key_Percent) << none << 255;
    QTest::newRow("unmapped: A umlaut") << int(Qt::Key_Adiaeresis) << none << 255;
    QTest::newRow("unmapped: volume up") << int(Qt::Key_VolumeUp) << none << 255;
    QTest::newRow("unmapped: unknown") << int(Qt::Key_unknown) << none << 255;
}

void TstKeyCodes::virtualKeyCode()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, code);

    const QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QCOMPARE(::virtualKeyCode(event), code);
}

// Wayland's key events carry the keysym but not Qt::KeypadModifier.
void TstKeyCodes::keypadKnownByKeysymAlone_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<quint32>("keysym");
    QTest::addColumn<int>("code");

    QTest::newRow("keypad 0") << int(Qt::Key_0) << 0xffb0u << 96;
    QTest::newRow("keypad 1") << int(Qt::Key_1) << 0xffb1u << 97;
    QTest::newRow("keypad 3") << int(Qt::Key_3) << 0xffb3u << 99;
    QTest::newRow("keypad 9") << int(Qt::Key_9) << 0xffb9u << 105;
    QTest::newRow("keypad 3, Num Lock off") << int(Qt::Key_PageDown) << 0xff9bu << 34;
    QTest::newRow("keypad plus") << int(Qt::Key_Plus) << 0xffabu << 107;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << 0xff8du << 13;
    // Neighbours of the keypad's keysym block stay main-keyboard keys.
    QTest::newRow("main 3") << int(Qt::Key_3) << 0x33u << 51;
    QTest::newRow("main plus") << int(Qt::Key_Plus) << 0x2bu << 255;
    QTest::newRow("F1 after the block") << int(Qt::Key_F1) << 0xffbeu << 112;
    QTest::newRow("Num Lock before it") << int(Qt::Key_NumLock) << 0xff7fu << 144;
}

void TstKeyCodes::keypadKnownByKeysymAlone()
{
    QFETCH(int, key);
    QFETCH(quint32, keysym);
    QFETCH(int, code);

    const QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, 0, keysym, 0);
    QCOMPARE(::virtualKeyCode(event), code);
}

// Qt's browser plugin gives no native codes, names a key by the DOM's key value and marks the keypad
// from its location; the keys whose names differ from the desktop's must still give its codes.
void TstKeyCodes::browserKeysGiveTheDesktopCodes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("code");

    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    QTest::newRow("keypad 5, Num Lock off: Clear, named Pause") << int(Qt::Key_Pause) << keypad << 12;
    QTest::newRow("Pause itself") << int(Qt::Key_Pause) << Qt::KeyboardModifiers() << 19;
    QTest::newRow("keypad Enter: Enter, named Return") << int(Qt::Key_Return) << keypad << 13;
    QTest::newRow("Shift+keypad 3, Num Lock on: PageDown")
        << int(Qt::Key_PageDown) << (keypad | Qt::ShiftModifier) << 34;
}

void TstKeyCodes::browserKeysGiveTheDesktopCodes()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, code);

    const QKeyEvent event(QEvent::KeyPress, key, modifiers, 0, 0, 0);
    QCOMPARE(::virtualKeyCode(event), code);
}

void TstKeyCodes::shiftState_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("mask");

    QTest::newRow("none") << Qt::KeyboardModifiers(Qt::NoModifier) << 0;
    QTest::newRow("Shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << 1;
    QTest::newRow("Ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier) << 2;
    QTest::newRow("Alt") << Qt::KeyboardModifiers(Qt::AltModifier) << 4;
    QTest::newRow("Shift+Ctrl+Alt")
        << (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier) << 7;
    QTest::newRow("keypad only") << Qt::KeyboardModifiers(Qt::KeypadModifier) << 0;
    QTest::newRow("Meta only") << Qt::KeyboardModifiers(Qt::MetaModifier) << 0;
    QTest::newRow("Shift on the keypad") << (Qt::ShiftModifier | Qt::KeypadModifier) << 1;
}

void TstKeyCodes::shiftState()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, mask);
    QCOMPARE(::shiftState(modifiers), mask);
}

QTEST_MAIN(TstKeyCodes)
#include "tst_keycodes.moc"
