// The window in a browser page: the page hands it key presses from its on-page keypad, mirrors
// its accessible controls for screen readers (Qt's browser platform has no accessibility bridge)
// and acts through that mirror; and the window repaints whole when the browser's zoom or pixel
// density changes. Built for the browser only.
#pragma once

#include <QString>

class QWidget;

// Before the application object exists: settings that only take effect at its creation.
void prepareForPage();

// Once the window is shown: connects it to the page's functions, and tells the page that it can
// read the window's controls.
void attachToPage(QWidget *window);

// Calls the page's function of that name with text, if the page has one.
void callPage(const char *name, const QString &text = QString());
