#include "application.h"
#include "program.h"
#ifdef Q_OS_WASM
#include "webpage.h"
#endif

int main(int argc, char *argv[])
{
#ifdef Q_OS_WASM
    prepareForPage();
#endif
    Application app(argc, argv);
    return runProgram(app);
}
