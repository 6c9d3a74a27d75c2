// The help line's texts, shown by the hover handlers and given to assistive technology as the
// descriptions of the same areas.
#pragma once

namespace HelpText {

inline constexpr const char *background = "Hover mouse over areas for help here...";
inline constexpr const char *arm1 = "Controls for Arm1.";
inline constexpr const char *arm2 = "Controls for Arm2.";
inline constexpr const char *arm2Mode = "Select RIGID to maintain Arm2's angle with Arm 1, "
                                        "FLOATING to maintain its angle with the world. ";
inline constexpr const char *anchor
    = "Use the sliders or the pushbuttons to position the anchor point anywhere on the screen.";
inline constexpr const char *controls
    = "CONTROLS - Keypad 1 and 3 for Arm1, 4 and 6 for Arm2.  Laptops, look for "
      "FN keys on (J,L) and (U,O) respectively.  SpaceBar to change Arm2's Mode. ";

} // namespace HelpText
