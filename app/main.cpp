#include "application.h"
#include "program.h"

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    return runProgram(app);
}
