// The window as page elements: the markup and the style rules of a form and its controls, made
// from the controls' own properties. The page is built with the form's start-up state written in
// (so that it shows before any script runs), and the module then attaches to those elements by
// the controls' names, changing only what changes.
#pragma once

#include "controls/control.h"

#include <string>

class Form;
class ScrollBar;

// The markup of the form and everything in it. Every control's element has the control's name as
// its id; a surface item's element has the item's name.
std::string windowMarkup(const Form &form);

// The style rules that place and tint each control (a page's policy allows no inline styles).
std::string windowStyles(const Form &form);

// "#rrggbb".
std::string cssColour(ClassicColour colour);

// Where a bar's thumb stands, as the style's --f property takes it: 0 at the Min end, 1 at Max.
std::string thumbPlace(const ScrollBar &bar);

// Text made safe for an element's content or a quoted attribute.
std::string escapeHtml(const std::string &text);
