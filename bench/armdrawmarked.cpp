// The program exactly as app/main.cpp starts it, with the first-paint marker added for start-up
// timing.
#include "firstpaint.h"
#include "program.h"

#include "application.h"

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    FirstPaintMarker marker;
    return runProgram(app);
}
