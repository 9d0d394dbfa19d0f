// Program entry for Linux: the shell does everything; the process then ends at once.
#include "app/program.h"

#include <cstdio>
#include <cstdlib>

int main() {
    dg::RunProgram();
    // Job threads may still be running (a listing, say) and calling into the windows. Ending
    // here skips the static destructors and Qt's teardown that would run under them; every
    // file and window was released by the shell already, and nothing is left to flush but
    // the standard streams.
    std::fflush(nullptr);
    std::_Exit(0);
}
