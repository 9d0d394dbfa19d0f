// Stands in for the program of a document type in the launch tests and the end-to-end
// journeys: it appends a line to the log that DG_LAUNCH_LOG names, the document it was given
// (none when started without one), a tab and the folder it was started in, and ends.
// A window program: a console program started through the shell gets a console window of its
// own, which takes the foreground from the windows under test.
#include <windows.h>

#include <cstdlib>
#include <fstream>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const char* log = std::getenv("DG_LAUNCH_LOG");
    if (log == nullptr)
        return 1;
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof(folder), folder);
    std::ofstream(log, std::ios::app | std::ios::binary)
        << (__argc > 1 ? __argv[1] : "") << "\t" << folder << "\n";
    return 0;
}
