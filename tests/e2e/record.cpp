// Stands in for the program that the system associates with .pdf documents: appends the
// path it was given to the launch log that the end-to-end driver names in the environment.
// A windows program, not a console one, so that no console window takes the focus.
#include <windows.h>

#include <cstdlib>
#include <fstream>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const char* log = std::getenv("DG_E2E_LAUNCH_LOG");
    if (!log || __argc != 2) {
        return 1;
    }
    std::ofstream(log, std::ios::app | std::ios::binary) << __argv[1] << "\n";
    return 0;
}
