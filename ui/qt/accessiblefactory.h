// Accessible interfaces for the controls whose Qt defaults would tell assistive technology the
// wrong thing: scroll bars (Qt's value is negated on some), the drawing surface and the frames.
#pragma once

// Installs the factory once; later calls do nothing. Call before the first control is shown.
void installControlAccessibility();
