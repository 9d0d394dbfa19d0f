// Loaded into digestorium.exe by the end-to-end driver's hook: list and status texts need
// memory in the program. It runs on the program's main thread, so it reads a settled state
// and never races the program's own calls.
#include "probe.h"

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>

namespace {

std::string Cell(HWND list, int row, int column) {
    char text[1024] = "";
    ListView_GetItemText(list, row, column, text, sizeof text);
    return text;
}

std::string Describe(HWND main) {
    HWND bar = FindWindowExA(main, nullptr, STATUSCLASSNAMEA, nullptr);
    // Wine counts UTF-16 units here, and SB_GETTEXTA takes no size: room for three bytes each.
    std::string status(3 * LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, 0, 0)) + 1, '\0');
    SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status.data()));
    std::string out = status.c_str() + std::string("\n");

    HWND list = FindWindowExA(main, nullptr, WC_LISTVIEWA, nullptr);
    const int rows = list ? ListView_GetItemCount(list) : 0;
    for (int row = 0; row < rows; ++row)
        out += Cell(list, row, 0) + "\t" + Cell(list, row, 1) + "\n";
    return out;
}

void Answer(HWND main) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, e2e::ProbeMemory);
    if (!mapping)
        return;
    if (void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, e2e::ProbeMemorySize)) {
        const std::string text = Describe(main).substr(0, e2e::ProbeMemorySize - 1);
        std::memcpy(view, text.c_str(), text.size() + 1);
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT message = RegisterWindowMessageA(e2e::ProbeMessage);
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == message)
        Answer(call->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
