// The program's start: its names for the desktop, its window, and the event loop.
#pragma once

class Application;

// Shows frmMain on an existing application object and runs the event loop until the window
// closes; returns the loop's exit status. A fatal run-time error during start-up is reported like
// one raised later.
int runProgram(Application &app);
