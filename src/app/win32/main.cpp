// Program entry: the shell does everything; the process then ends at once.
#include "app/program.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    dg::RunProgram();
    // Job threads may still be running (a listing, say). Ending here skips static destructors
    // and DLL detach code that could run under them or wait on locks they hold; every file
    // and window was released by the shell already.
    TerminateProcess(GetCurrentProcess(), 0);
    return 0;
}
