// Stands in for a document type's program in the launch tests: it writes down how it was
// started, and ends. It is a window program: a console program started through the shell
// gets a console window of its own, which takes the foreground from the next test's windows.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char marker[MAX_PATH] = {};
    if (GetEnvironmentVariableA("DG_LAUNCH_MARKER", marker, sizeof(marker)) == 0)
        return 1;
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof(directory), directory);
    const std::string text = std::string(GetCommandLineA()) + "\n" + directory + "\n";
    HANDLE file = CreateFileA(marker, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
