// The window as assistive technology meets it: controls found by accessible name through Qt's
// accessibility tree.
#pragma once

#include <QAccessible>

class QWidget;

// The interface named `name` under the window's interface, depth first; null if there is none.
QAccessibleInterface *findAccessible(QWidget *window, const QString &name);
