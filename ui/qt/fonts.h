// The window's fonts: Tahoma where it can be had, a close sans-serif otherwise.
#pragma once

#include <QFont>

// Makes the Tahoma-compatible faces that some systems ship outside the font search path (Debian's
// fonts-wine) available to this process. Call once after the application object exists.
void loadClassicFonts();

// "Tahoma" at a size in points, sized in pixels as at 96 dots per inch so that text keeps its
// place in the twip layout on any screen.
QFont tahoma(double points, bool bold = false);
