#include "soakmodel.h"

#include "windowharness.h"

#include "modglobalsconstants.h"

#include "controls/optionbutton.h"
#include "controls/picturebox.h"
#include "controls/scrollbar.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The classic single-precision pi the drawing is defined with, widened to double.
constexpr double ClassicPi = static_cast<double>(3.14159f);

constexpr int64_t Int32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t Int32Min = std::numeric_limits<int32_t>::min();

bool fitsInt32(int64_t value)
{
    return value >= Int32Min && value <= Int32Max;
}

double radians(int64_t degrees)
{
    return static_cast<double>(degrees) * ClassicPi / 180.0;
}

// Halves to the even neighbour, as the anchor grid rounds.
int32_t roundHalfEven(double value)
{
    return static_cast<int32_t>(std::nearbyint(value));
}

QString number(double value)
{
    return QString::number(value, 'f', 4);
}

} // namespace

SoakModel::SoakModel(const WindowHarness &harness)
    : m_harness(harness)
{
    // Start-up: segment 1 at 0 degrees, segment 2 straight down, Floating.
    m_arm1Angle = 0;
    m_worldAngle = 90;
    m_rigid = false;
    m_bars = { { QStringLiteral("scrRadius_1"), 4000 }, { QStringLiteral("scrRadius_2"), 1500 },
        { QStringLiteral("scrWidth_1"), 20 }, { QStringLiteral("scrWidth_2"), 20 } };
    const double width = harness.surface()->Width();
    const double height = harness.surface()->Height();
    m_bars[QStringLiteral("scrOriginX")] = roundHalfEven(width / 2);
    m_bars[QStringLiteral("scrOriginY")] = roundHalfEven(height / 2);
    capturePicture();
}

const std::array<QString, 6> &SoakModel::barNames()
{
    static const std::array<QString, 6> names = {
        QStringLiteral("scrRadius_1"),
        QStringLiteral("scrRadius_2"),
        QStringLiteral("scrWidth_1"),
        QStringLiteral("scrWidth_2"),
        QStringLiteral("scrOriginX"),
        QStringLiteral("scrOriginY"),
    };
    return names;
}

void SoakModel::placeNearLimits(bool arm1High, bool worldHigh, int arm1Offset, int worldOffset)
{
    m_arm1Angle = arm1High ? Int32Max - arm1Offset : Int32Min + arm1Offset;
    m_worldAngle = worldHigh ? Int32Max - worldOffset : Int32Min + worldOffset;
    Arm(1).Angle = static_cast<int32_t>(m_arm1Angle);
    Arm(2).Angle = static_cast<int32_t>(m_rigid ? m_worldAngle - m_arm1Angle : m_worldAngle);
}

void SoakModel::keyPressed(int qtKey, int modifiers)
{
    const bool keypad = (modifiers & Qt::KeypadModifier) != 0;
    int arm1Turn = 0;
    int arm2Turn = 0;
    switch (qtKey) {
    case Qt::Key_Space:
        m_rigid = !m_rigid;
        m_modeSwitched = true;
        break;
    case Qt::Key_PageDown:
        arm1Turn = 5;
        break;
    case Qt::Key_End:
        arm1Turn = -5;
        break;
    case Qt::Key_Right:
        arm2Turn = 5;
        break;
    case Qt::Key_Left:
        arm2Turn = -5;
        break;
    case Qt::Key_3:
        arm1Turn = keypad ? 5 : 0;
        break;
    case Qt::Key_1:
        arm1Turn = keypad ? -5 : 0;
        break;
    case Qt::Key_6:
        arm2Turn = keypad ? 5 : 0;
        break;
    case Qt::Key_4:
        arm2Turn = keypad ? -5 : 0;
        break;
    default:
        break; // every other key, Tab included, changes nothing
    }
    m_arm1Angle += arm1Turn;
    // Rigid: segment 2 turns with segment 1; Floating: it keeps its direction.
    m_worldAngle += arm2Turn + (m_rigid ? arm1Turn : 0);
}

void SoakModel::barStepped(const QString &bar, bool towardsMin, int steps, int stepSize)
{
    const ScrollBar *scrollBar = m_harness.scrollBar(bar);
    const int end = towardsMin ? scrollBar->Min() : scrollBar->Max();
    int &value = m_bars.at(bar);
    for (int i = 0; i < steps; ++i) {
        value = end > value ? std::min(value + stepSize, end) : std::max(value - stepSize, end);
    }
}

void SoakModel::barFreed(const QString &bar)
{
    m_freeBars.insert(bar);
}

void SoakModel::optionClicked(bool rigid)
{
    m_modeSwitched = m_modeSwitched || rigid != m_rigid;
    m_rigid = rigid;
}

void SoakModel::anchorClicked(int index)
{
    const double width = m_harness.surface()->Width();
    const double height = m_harness.surface()->Height();
    const int column = (index - 1) % 3;
    const int row = (index - 1) / 3;
    m_bars[QStringLiteral("scrOriginX")]
        = column == 0 ? 1 : roundHalfEven(column == 1 ? width / 2 : width);
    m_bars[QStringLiteral("scrOriginY")]
        = row == 0 ? 1 : roundHalfEven(row == 1 ? height / 2 : height);
}

QString SoakModel::describeWindow() const
{
    return QStringLiteral("angles %1 and %2 (%3), radii %4 and %5, anchor (%6, %7)")
        .arg(Arm(1).Angle)
        .arg(Arm(2).Angle)
        .arg(QString::fromStdString(Arm(2).Mode))
        .arg(Arm(1).Radius)
        .arg(Arm(2).Radius)
        .arg(OriginX)
        .arg(OriginY);
}

QString SoakModel::verify()
{
    QString failure = verifyAngles();
    if (failure.isEmpty()) {
        failure = verifyControls();
    }
    if (failure.isEmpty()) {
        failure = verifyPicture();
    }
    m_freeBars.clear();
    m_modeSwitched = false;
    capturePicture();
    return failure;
}

QString SoakModel::verifyAngles()
{
    // An angle leaving the 32-bit range is brought back by whole turns towards zero; the model
    // follows it there, keeping the world angle in step with what the window stores.
    const int64_t arm1 = Arm(1).Angle;
    if (arm1 != m_arm1Angle) {
        if (fitsInt32(m_arm1Angle) || (arm1 - m_arm1Angle) % 360 != 0
            || std::abs(arm1) >= std::abs(m_arm1Angle)) {
            return QStringLiteral("Arm(1).Angle is %1, expected %2").arg(arm1).arg(m_arm1Angle);
        }
        if (m_rigid) {
            m_worldAngle += arm1 - m_arm1Angle;
        }
        m_arm1Angle = arm1;
        ++m_angleFits;
    }

    const int64_t expected2 = m_rigid ? m_worldAngle - m_arm1Angle : m_worldAngle;
    const int64_t arm2 = Arm(2).Angle;
    if (arm2 != expected2) {
        if (fitsInt32(expected2) || (arm2 - expected2) % 360 != 0
            || std::abs(arm2) >= std::abs(expected2)) {
            return QStringLiteral(
                "Arm(2).Angle is %1, expected %2 (%3, world angle %4, Arm(1).Angle %5)")
                .arg(arm2)
                .arg(expected2)
                .arg(m_rigid ? "Rigid" : "Floating")
                .arg(m_worldAngle)
                .arg(m_arm1Angle);
        }
        m_worldAngle += arm2 - expected2;
        ++m_angleFits;
    }

    const bool absolute
        = m_harness.control<OptionButton>(QStringLiteral("optAngleAbsolute"))->Value();
    const bool relative
        = m_harness.control<OptionButton>(QStringLiteral("optAngleRelative"))->Value();
    if (absolute == relative) {
        return QStringLiteral("Floating %1 and Rigid %2: not exactly one mode selected")
            .arg(absolute)
            .arg(relative);
    }
    if (relative != m_rigid) {
        return QStringLiteral("%1 is selected, expected %2")
            .arg(relative ? "Rigid" : "Floating", m_rigid ? "Rigid" : "Floating");
    }
    const std::string mode = m_rigid ? "REL" : "ABS";
    if (Arm(2).Mode != mode) {
        return QStringLiteral("Arm(2).Mode is \"%1\" in %2 mode")
            .arg(QString::fromStdString(Arm(2).Mode), m_rigid ? "Rigid" : "Floating");
    }
    return {};
}

QString SoakModel::verifyControls()
{
    for (const QString &name : barNames()) {
        const ScrollBar *bar = m_harness.scrollBar(name);
        const int value = bar->Value();
        if (value < std::min(bar->Min(), bar->Max()) || value > std::max(bar->Min(), bar->Max())) {
            return QStringLiteral("%1 shows %2, outside %3..%4")
                .arg(name)
                .arg(value)
                .arg(bar->Min())
                .arg(bar->Max());
        }
        if (m_freeBars.count(name)) {
            m_bars[name] = value;
        } else if (value != m_bars.at(name)) {
            return QStringLiteral("%1 shows %2, expected %3")
                .arg(name)
                .arg(value)
                .arg(m_bars.at(name));
        }
    }

    const std::array<std::pair<QString, int>, 6> mirrors = { {
        { QStringLiteral("scrRadius_1"), Arm(1).Radius },
        { QStringLiteral("scrRadius_2"), Arm(2).Radius },
        { QStringLiteral("scrWidth_1"), m_harness.line(1)->BorderWidth() },
        { QStringLiteral("scrWidth_2"), m_harness.line(2)->BorderWidth() },
        { QStringLiteral("scrOriginX"), OriginX },
        { QStringLiteral("scrOriginY"), OriginY },
    } };
    for (const auto &[name, state] : mirrors) {
        if (m_bars.at(name) != state) {
            return QStringLiteral("%1 shows %2 but the state it mirrors is %3")
                .arg(name)
                .arg(m_bars.at(name))
                .arg(state);
        }
    }
    return {};
}

QString SoakModel::verifyPicture()
{
    const LineItem *line1 = m_harness.line(1);
    const LineItem *line2 = m_harness.line(2);
    if (line1->X1() != static_cast<float>(OriginX) || line1->Y1() != static_cast<float>(OriginY)) {
        return QStringLiteral("segment 1 starts at (%1, %2), the anchor is (%3, %4)")
            .arg(number(line1->X1()), number(line1->Y1()))
            .arg(OriginX)
            .arg(OriginY);
    }
    if (line2->X1() != line1->X2() || line2->Y1() != line1->Y2()) {
        return QStringLiteral("segment 2 starts at (%1, %2), segment 1 ends at (%3, %4)")
            .arg(
                number(line2->X1()), number(line2->Y1()), number(line1->X2()), number(line1->Y2()));
    }

    // Two single-precision roundings stay far below 0.01 twip. Near the 32-bit limits a whole
    // turn is not exactly 2 pi with the classic pi: a tip may then be a tenth of a twip away.
    const bool nearLimits
        = std::abs(m_arm1Angle) > Int32Max / 2 || std::abs(m_worldAngle) > Int32Max / 2;
    const double tolerance = nearLimits ? 0.5 : 0.01;
    const double x1 = OriginX + Arm(1).Radius * std::cos(radians(m_arm1Angle));
    const double y1 = OriginY + Arm(1).Radius * std::sin(radians(m_arm1Angle));
    const double x2 = x1 + Arm(2).Radius * std::cos(radians(m_worldAngle));
    const double y2 = y1 + Arm(2).Radius * std::sin(radians(m_worldAngle));
    const std::array<double, 4> expected = { x1, y1, x2, y2 };
    const std::array<float, 4> drawn = { line1->X2(), line1->Y2(), line2->X2(), line2->Y2() };
    for (size_t i = 0; i < expected.size(); ++i) {
        if (std::abs(drawn[i] - expected[i]) > tolerance) {
            return QStringLiteral(
                "segment ends drawn at (%1, %2) and (%3, %4), computed (%5, %6) and (%7, %8)")
                .arg(number(drawn[0]), number(drawn[1]), number(drawn[2]), number(drawn[3]))
                .arg(number(x1), number(y1), number(x2), number(y2));
        }
    }

    if (m_modeSwitched) {
        const std::array<float, 8> before = m_picture;
        capturePicture();
        for (size_t i = 0; i < before.size(); ++i) {
            if (std::abs(m_picture[i] - before[i]) > (nearLimits ? tolerance : 0.001)) {
                return QStringLiteral("the mode switch moved the picture: coordinate %1 of X1 Y1 "
                                      "X2 Y2 (line 1, line 2) "
                                      "went from %2 to %3")
                    .arg(i)
                    .arg(number(before[i]), number(m_picture[i]));
            }
        }
    }

    const ShapeItem *base = m_harness.anchorBase();
    const ShapeItem *post = m_harness.anchorPost();
    if (base->Left() != OriginX - 850 || base->Top() != OriginY + 300
        || post->Left() != OriginX - 125 || post->Top() != OriginY - 100) {
        return QStringLiteral("anchor shapes at (%1, %2) and (%3, %4) for the anchor (%5, %6)")
            .arg(number(base->Left()), number(base->Top()), number(post->Left()),
                number(post->Top()))
            .arg(OriginX)
            .arg(OriginY);
    }
    return {};
}

void SoakModel::capturePicture()
{
    const LineItem *line1 = m_harness.line(1);
    const LineItem *line2 = m_harness.line(2);
    m_picture = { line1->X1(), line1->Y1(), line1->X2(), line1->Y2(), line2->X1(), line2->Y1(),
        line2->X2(), line2->Y2() };
}
