#include "soakdriver.h"

#include "soakapplication.h"
#include "soakmodel.h"
#include "windowharness.h"

#include "frmmain.h"

#include "qtcommandbutton.h"
#include "qtoptionbutton.h"
#include "qtscrollbar.h"

#include "controls/scrollbar.h"

#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <iterator>

namespace {

QString keyName(int key, Qt::KeyboardModifiers modifiers)
{
    const QString name = QKeySequence(key).toString();
    return QStringLiteral("key 0x%1 \"%2\" modifiers 0x%3")
        .arg(QString::number(key, 16), name, QString::number(modifiers.toInt(), 16));
}

} // namespace

SoakDriver::SoakDriver(WindowHarness &harness, SoakModel &model, uint64_t seed)
    : m_harness(harness)
    , m_model(model)
    , m_random(seed)
{ }

void SoakDriver::startNearLimits(bool opposite)
{
    m_nearLimits = true;
    m_oppositeLimits = opposite;
}

void SoakDriver::putAnglesNearLimits(bool opposite)
{
    const bool arm1High = chance(50);
    const bool worldHigh = opposite ? !arm1High : arm1High;
    const int arm1Offset = below(30);
    const int worldOffset = below(30);
    m_model.placeNearLimits(arm1High, worldHigh, arm1Offset, worldOffset);
    beginAction(QStringLiteral(
        "angles set %1 from the %2 limit (segment 1) and %3 from the %4 limit (world angle)")
                    .arg(arm1Offset)
                    .arg(arm1High ? "upper" : "lower")
                    .arg(worldOffset)
                    .arg(worldHigh ? "upper" : "lower"));
    // A key that turns nothing draws the arm at the new angles.
    if (keyEvent(true, Qt::Key_A, Qt::NoModifier, false)) {
        keyEvent(false, Qt::Key_A, Qt::NoModifier, false);
    }
}

void SoakDriver::run(int64_t events)
{
    m_limit = events;
    if (m_nearLimits) {
        putAnglesNearLimits(m_oppositeLimits);
    }
    while (m_events < m_limit && m_failure.isEmpty()) {
        // A turn carries an angle back into range only once in a long while: put it back near
        // the limit now and then. (Opposite sides cannot be stored in Rigid mode.)
        if (m_nearLimits && !m_oppositeLimits && m_actions % 400 == 399) {
            putAnglesNearLimits(false);
        }
        sendRandomAction();
        // Mouse events are followed by an event loop pass already; keys need one now and then
        // for the paints they cause.
        if (++m_actions % 8 == 0) {
            QCoreApplication::processEvents();
        }
    }
}

QStringList SoakDriver::recentActions() const
{
    return QStringList(m_recent.begin(), m_recent.end());
}

bool SoakDriver::deliver(const std::function<void()> &send)
{
    if (m_events >= m_limit || !m_failure.isEmpty()) {
        return false;
    }
    ++m_events;
    if (m_verbose) {
        qInfo("event %lld: %s", static_cast<long long>(m_events), qPrintable(m_recent.back()));
    }
    send();
    if (m_verbose) {
        qInfo("    then %s", qPrintable(m_model.describeWindow()));
    }
    m_failure = qobject_cast<SoakApplication *>(qApp)->takeError();
    if (m_failure.isEmpty()) {
        m_failure = m_model.verify();
    }
    return m_failure.isEmpty();
}

void SoakDriver::beginAction(const QString &description)
{
    m_recent.push_back(QStringLiteral("from event %1: %2").arg(m_events + 1).arg(description));
    if (m_recent.size() > 12) {
        m_recent.pop_front();
    }
}

void SoakDriver::sendRandomAction()
{
    const int roll = below(100);
    if (roll < 40) {
        Qt::KeyboardModifiers modifiers;
        const int key = randomKey(modifiers);
        keyClick(key, modifiers);
    } else if (roll < 45) {
        autoRepeatBurst();
    } else if (roll < 48) {
        focusKey();
    } else if (roll < 58) {
        arrowOrTrackClick(false);
    } else if (roll < 65) {
        arrowOrTrackClick(true);
    } else if (roll < 70) {
        thumbDrag();
    } else if (roll < 73) {
        wheel();
    } else if (roll < 78) {
        optionClick();
    } else if (roll < 83) {
        anchorClick();
    } else if (roll < 95) {
        pointerMove();
    } else {
        clickAnywhere();
    }
}

// --- Keys ------------------------------------------------------------------------------------

bool SoakDriver::keyEvent(bool press, int key, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    if (press) {
        m_model.keyPressed(key, modifiers.toInt());
    }
    QWindow *window = m_harness.window().windowHandle();
    QString text;
    if (key >= 0x20 && key < 0x7f) {
        const QChar character(key);
        text = modifiers & Qt::ShiftModifier ? character.toUpper() : character.toLower();
    }
    return deliver([=] {
        // QTest's own entry into the platform's key path, which can mark a press as auto-repeated.
        qt_handleKeyEvent(window, press ? QEvent::KeyPress : QEvent::KeyRelease, key, modifiers,
            text, autoRepeat);
    });
}

void SoakDriver::keyClick(int key, Qt::KeyboardModifiers modifiers)
{
    beginAction(keyName(key, modifiers));
    if (keyEvent(true, key, modifiers, false)) {
        keyEvent(false, key, modifiers, false);
    }
}

void SoakDriver::autoRepeatBurst()
{
    Qt::KeyboardModifiers modifiers;
    const int key = randomKey(modifiers);
    const int repeats = 2 + below(20);
    beginAction(QStringLiteral("%1 held for %2 repeats").arg(keyName(key, modifiers)).arg(repeats));
    if (!keyEvent(true, key, modifiers, false)) {
        return;
    }
    // As X11 reports a held key: a release and a press for each repeat, both marked auto-repeat.
    for (int i = 0; i < repeats; ++i) {
        if (!keyEvent(false, key, modifiers, true) || !keyEvent(true, key, modifiers, true)) {
            return;
        }
    }
    keyEvent(false, key, modifiers, false);
}

void SoakDriver::focusKey()
{
    const bool backwards = chance(50);
    const int key = backwards ? Qt::Key_Backtab : Qt::Key_Tab;
    const Qt::KeyboardModifiers modifiers = backwards ? Qt::ShiftModifier : Qt::NoModifier;
    keyClick(key, modifiers);
}

int SoakDriver::randomKey(Qt::KeyboardModifiers &modifiers)
{
    modifiers = Qt::NoModifier;
    modifiers.setFlag(Qt::ShiftModifier, chance(15));
    modifiers.setFlag(Qt::ControlModifier, chance(10));
    modifiers.setFlag(Qt::AltModifier, chance(5));
    modifiers.setFlag(Qt::MetaModifier, chance(3));
    if (chance(45)) {
        // The keys the arm answers to, and their neighbours on the keypad and the arrow block.
        static const int armKeys[] = {
            Qt::Key_1,
            Qt::Key_3,
            Qt::Key_4,
            Qt::Key_6,
            Qt::Key_PageDown,
            Qt::Key_End,
            Qt::Key_Left,
            Qt::Key_Right,
            Qt::Key_Space,
            Qt::Key_0,
            Qt::Key_2,
            Qt::Key_5,
            Qt::Key_7,
            Qt::Key_8,
            Qt::Key_9,
            Qt::Key_Clear,
            Qt::Key_Home,
            Qt::Key_PageUp,
            Qt::Key_Up,
            Qt::Key_Down,
            Qt::Key_Insert,
            Qt::Key_Delete,
            Qt::Key_Period,
            Qt::Key_Enter,
        };
        modifiers.setFlag(Qt::KeypadModifier, chance(60));
        return armKeys[below(static_cast<int>(std::size(armKeys)))];
    }
    modifiers.setFlag(Qt::KeypadModifier, chance(20));
    switch (below(5)) {
    case 0:
        return 0x20 + below(0x7f - 0x20); // printable ASCII
    case 1:
        return Qt::Key_Escape + below(0x100); // editing, navigation, modifier and media keys
    case 2:
        return 0xa0 + below(0x60); // Latin-1
    case 3:
        return Qt::Key_F1 + below(35);
    default:
        return below(0x02000000); // any code at all, mostly ones no keyboard sends
    }
}

// --- Scroll bars -----------------------------------------------------------------------------

void SoakDriver::arrowOrTrackClick(bool track)
{
    QString name;
    QtScrollBar *bar = randomBar(name);
    const bool towardsMin = chance(50);
    const QStyle::SubControl part = track
        ? (towardsMin ? QStyle::SC_ScrollBarSubPage : QStyle::SC_ScrollBarAddPage)
        : (towardsMin ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine);
    const QStyleOptionSlider option = bar->styleOption();
    const QRect rect = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
    QPoint local = randomPointIn(rect);
    if (bar->style()->hitTestComplexControl(QStyle::CC_ScrollBar, &option, local, bar) != part) {
        local = rect.center();
        if (rect.isEmpty()
            || bar->style()->hitTestComplexControl(QStyle::CC_ScrollBar, &option, local, bar)
                != part) {
            pointerMove(); // the thumb is at that end: there is no track on that side
            return;
        }
    }
    beginAction(QStringLiteral("%1 on %2 %3")
                    .arg(track ? "track click" : "arrow click", name,
                        towardsMin ? "towards Min" : "towards Max"));
    const QPoint pos = m_harness.windowPos(bar, local);
    m_model.barStepped(
        name, towardsMin, 1, track ? bar->control().LargeChange() : bar->control().SmallChange());
    if (mouseEvent(Mouse::Press, Qt::LeftButton, pos)) {
        mouseEvent(Mouse::Release, Qt::LeftButton, pos);
    }
}

void SoakDriver::thumbDrag()
{
    QString name;
    QtScrollBar *bar = randomBar(name);
    const QStyleOptionSlider option = bar->styleOption();
    const QRect thumb = bar->style()->subControlRect(
        QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
    const int moves = 1 + below(6);
    beginAction(QStringLiteral("thumb drag on %1, %2 moves").arg(name).arg(moves));
    QPoint pos = m_harness.windowPos(bar, randomPointIn(thumb));
    m_model.barFreed(name);
    if (!mouseEvent(Mouse::Press, Qt::LeftButton, pos)) {
        return;
    }
    const QRect window = m_harness.window().rect().adjusted(1, 1, -1, -1);
    // Along the bar a little past its ends, and well to either side of it.
    const QMargins margins
        = bar->orientation() == Qt::Vertical ? QMargins(30, 8, 30, 8) : QMargins(8, 30, 8, 30);
    const QRect around
        = QRect(m_harness.windowPos(bar, QPoint(0, 0)), bar->size()).marginsAdded(margins);
    for (int i = 0; i < moves; ++i) {
        // Mostly near the bar, sometimes anywhere in the window.
        pos = randomPointIn((chance(10) ? window : around).intersected(window));
        m_model.barFreed(name);
        if (!mouseEvent(Mouse::Move, Qt::NoButton, pos)) {
            return;
        }
    }
    m_model.barFreed(name);
    mouseEvent(Mouse::Release, Qt::LeftButton, pos);
}

void SoakDriver::wheel()
{
    QString name;
    QtScrollBar *bar = randomBar(name);
    const int notches = 1 + below(3);
    const bool away = chance(50);
    beginAction(QStringLiteral("wheel on %1, %2 notches %3")
                    .arg(name)
                    .arg(notches)
                    .arg(away ? "away" : "towards the user"));
    // A turn away from the user scrolls towards the top or left end.
    m_model.barStepped(name, away, notches, bar->control().SmallChange());
    deliver([=] {
        const QPointF local = bar->rect().center();
        QWheelEvent event(local, bar->mapToGlobal(local), QPoint(),
            QPoint(0, (away ? 120 : -120) * notches), Qt::NoButton, Qt::NoModifier,
            Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(bar, &event);
    });
}

QtScrollBar *SoakDriver::randomBar(QString &name)
{
    const auto &names = SoakModel::barNames();
    name = names[static_cast<size_t>(below(static_cast<int>(names.size())))];
    return m_harness.control<QtScrollBar>(name);
}

// --- Buttons and the pointer -----------------------------------------------------------------

void SoakDriver::optionClick()
{
    auto *option = m_harness.control<QtOptionButton>(
        chance(50) ? QStringLiteral("optAngleRelative") : QStringLiteral("optAngleAbsolute"));
    click(m_harness.windowPos(option, randomPointIn(option->rect())), Qt::LeftButton);
}

void SoakDriver::anchorClick()
{
    auto *button
        = m_harness.control<QtCommandButton>(QStringLiteral("cmdOrigin_%1").arg(1 + below(9)));
    click(m_harness.windowPos(button, randomPointIn(button->rect())), Qt::LeftButton);
}

void SoakDriver::pointerMove()
{
    const QPoint pos = randomPointIn(m_harness.window().rect().adjusted(1, 1, -1, -1));
    beginAction(QStringLiteral("pointer move to (%1, %2)").arg(pos.x()).arg(pos.y()));
    mouseEvent(Mouse::Move, Qt::NoButton, pos);
}

void SoakDriver::clickAnywhere()
{
    static const Qt::MouseButton buttons[]
        = { Qt::LeftButton, Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton };
    const Qt::MouseButton button = buttons[below(static_cast<int>(std::size(buttons)))];
    click(randomPointIn(m_harness.window().rect().adjusted(1, 1, -1, -1)), button);
}

void SoakDriver::click(QPoint pos, Qt::MouseButton button)
{
    // The control on top at that point takes the click: the two mode buttons' boxes overlap.
    QWidget *target = m_harness.window().childAt(pos);
    const QString name = target ? target->objectName() : QStringLiteral("frmMain");
    beginAction(QStringLiteral("button 0x%1 click at (%2, %3) on %4")
                    .arg(QString::number(button, 16))
                    .arg(pos.x())
                    .arg(pos.y())
                    .arg(name));
    // Only the left button acts on a control, and a click on a bar may move it any way.
    const bool left = button == Qt::LeftButton;
    auto *bar = qobject_cast<QtScrollBar *>(target);
    if (left && bar) {
        m_model.barFreed(name);
    }
    if (!mouseEvent(Mouse::Press, button, pos)) {
        return;
    }
    if (left && bar) {
        m_model.barFreed(name);
    } else if (left && qobject_cast<QtOptionButton *>(target)) {
        m_model.optionClicked(name == QStringLiteral("optAngleRelative"));
    } else if (left && qobject_cast<QtCommandButton *>(target)) {
        m_model.anchorClicked(name.section(QLatin1Char('_'), 1).toInt());
    }
    mouseEvent(Mouse::Release, button, pos);
}

bool SoakDriver::mouseEvent(Mouse action, Qt::MouseButton button, QPoint windowPos)
{
    QWindow *window = m_harness.window().windowHandle();
    return deliver([=] {
        switch (action) {
        case Mouse::Press:
            QTest::mousePress(window, button, Qt::NoModifier, windowPos);
            break;
        case Mouse::Release:
            QTest::mouseRelease(window, button, Qt::NoModifier, windowPos);
            break;
        case Mouse::Move:
            QTest::mouseMove(window, windowPos);
            break;
        }
    });
}

// --- Randomness ------------------------------------------------------------------------------

QPoint SoakDriver::randomPointIn(const QRect &rect)
{
    if (rect.isEmpty()) {
        return rect.topLeft();
    }
    return { rect.left() + below(rect.width()), rect.top() + below(rect.height()) };
}

int SoakDriver::below(int bound)
{
    // Plain modulo on the fully specified engine: the same seed gives the same run everywhere.
    return static_cast<int>(m_random() % static_cast<uint64_t>(bound));
}
