// The help line's texts, shown by the hover handlers and given to assistive technology as the
// descriptions of the same areas.
#pragma once

#include <QString>

namespace HelpText {

inline QString background()
{
    return QStringLiteral("Hover mouse over areas for help here...");
}

inline QString arm1()
{
    return QStringLiteral("Controls for Arm1.");
}

inline QString arm2()
{
    return QStringLiteral("Controls for Arm2.");
}

inline QString arm2Mode()
{
    return QStringLiteral("Select RIGID to maintain Arm2's angle with Arm 1, FLOATING to maintain "
                          "its angle with the world. ");
}

inline QString anchor()
{
    return QStringLiteral("Use the sliders or the pushbuttons to position the anchor point "
                          "anywhere on the screen.");
}

inline QString controls()
{
    return QStringLiteral(
        "CONTROLS - Keypad 1 and 3 for Arm1, 4 and 6 for Arm2.  Laptops, look for "
        "FN keys on (J,L) and (U,O) respectively.  SpaceBar to change Arm2's Mode. ");
}

} // namespace HelpText
