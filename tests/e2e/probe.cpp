// Loaded into digestorium.exe by the end-to-end driver: Wine lets no other process read a
// window's menu, so the labels, command ids and greyed states are read from inside.
#include "probe.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Output {
    char* text;
    unsigned used = 0;

    void Line(const char* kind, const char* fields) {
        const unsigned room = e2e::ProbeBufferSize - 1 - used;
        const int n = std::snprintf(text + used, room, "%s\t%s\n", kind, fields);
        if (n > 0) {
            used += static_cast<unsigned>(n) < room ? static_cast<unsigned>(n) : room - 1;
        }
    }
};

std::string Label(HMENU menu, UINT position) {
    char label[512] = "";
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = label;
    info.cch = sizeof label;
    if (!GetMenuItemInfoA(menu, position, TRUE, &info)) {
        return "";
    }
    return label;
}

} // namespace

extern "C" __declspec(dllexport) DWORD WINAPI ProbeMenu(void* buffer) {
    HWND window = nullptr;
    std::memcpy(&window, buffer, sizeof window);
    Output out{static_cast<char*>(buffer)};
    out.text[0] = 0;
    HMENU bar = GetMenu(window);
    const int menus = bar ? GetMenuItemCount(bar) : 0;
    for (int m = 0; m < menus; ++m) {
        out.Line("menu", Label(bar, m).c_str());
        HMENU sub = GetSubMenu(bar, m);
        const int items = sub ? GetMenuItemCount(sub) : 0;
        for (int i = 0; i < items; ++i) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID | MIIM_STATE;
            GetMenuItemInfoA(sub, i, TRUE, &info);
            char fields[600];
            std::snprintf(fields, sizeof fields, "%u\t%d\t%s", info.wID,
                          (info.fState & MFS_GRAYED) ? 1 : 0, Label(sub, i).c_str());
            out.Line("item", fields);
        }
    }
    out.text[out.used] = 0;
    return static_cast<DWORD>(menus);
}
