// What the window must show after each random event, worked out from the events alone, and the
// checks that compare it with the window.
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <set>

class WindowHarness;

class SoakModel
{
public:
    // Expects the window as start-up leaves it (the first verify() checks that).
    explicit SoakModel(const WindowHarness &harness);

    // Puts segment 1's angle and segment 2's world angle close to the 32-bit limits (the upper
    // one when high), in the window and in the model, so that turns and mode switches take stored
    // angles out of range; the caller redraws with a key that turns nothing.
    void placeNearLimits(bool arm1High, bool worldHigh, int arm1Offset, int worldOffset);

    // The effect of one event, told before the event is sent.
    void keyPressed(int qtKey, int modifiers);
    // A bar moved towards its Min (top or left) or Max end by steps, stopping at the end.
    void barStepped(const QString &bar, bool towardsMin, int steps, int stepSize);
    // A bar whose new value cannot be worked out (thumb drag): its mirror is only checked.
    void barFreed(const QString &bar);
    void optionClicked(bool rigid);
    void anchorClicked(int index);

    // Compares the window with the expectation; an empty result means all holds. Afterwards the
    // current picture is the reference for the next event.
    QString verify();

    // How often a stored angle was brought back into the 32-bit range by whole turns.
    int angleFits() const { return m_angleFits; }

    // The window's arm state in one line, for following a replay.
    QString describeWindow() const;

    static const std::array<QString, 6> &barNames();

private:
    QString verifyAngles();
    QString verifyControls();
    QString verifyPicture();
    void capturePicture();

    const WindowHarness &m_harness;
    // Segment 1's angle and segment 2's world angle, unbounded; the mode the events selected.
    int64_t m_arm1Angle = 0;
    int64_t m_worldAngle = 0;
    bool m_rigid = false;
    bool m_modeSwitched = false;
    int m_angleFits = 0;
    // Expected value of each bar, which its mirrored state must equal too.
    std::map<QString, int> m_bars;
    std::set<QString> m_freeBars;
    // X1, Y1, X2, Y2 of both lines after the previous event.
    std::array<float, 8> m_picture {};
};
