// Menu bars and keyboard shortcuts (one accelerator table per window).
#include "ui_win32.h"

#include "platform/ids.h"
#include "platform/ui.h"

#include <array>
#include <mutex>
#include <vector>

namespace dg {
namespace win32 {
namespace {

struct Shortcut {
    int value;
    int item;
};

struct ShortcutTable {
    std::vector<Shortcut> shortcuts;
    Owned<HACCEL, DestroyAcceleratorTable> table;
};

// Worker threads change shortcuts through LockCommands and RestoreCommands.
std::mutex shortcutLock;
std::array<ShortcutTable, WindowCount> shortcutTables;

// Menu number = window number; DisableMenuItem reads them from any thread.
std::array<std::atomic<HMENU>, WindowCount> menuBars{};
// Where AddMenu and AddMenuItem append: main thread only.
int newestMenuBar = -1;
HMENU newestMenu = nullptr;

bool ValidWindow(int window) {
    return window >= 0 && window < WindowCount;
}

// Caller holds shortcutLock.
void RebuildTable(ShortcutTable& shortcuts) {
    std::vector<ACCEL> keys{
        {FVIRTKEY, VK_TAB, FocusNextCommand},
        {FVIRTKEY | FSHIFT, VK_TAB, FocusPreviousCommand},
    };
    for (const Shortcut& shortcut : shortcuts.shortcuts) {
        BYTE modifiers = FVIRTKEY;
        if ((shortcut.value & ShiftKey) != 0) {
            modifiers |= FSHIFT;
        }
        if ((shortcut.value & CtrlKey) != 0) {
            modifiers |= FCONTROL;
        }
        if ((shortcut.value & AltKey) != 0) {
            modifiers |= FALT;
        }
        keys.push_back({modifiers, static_cast<WORD>(shortcut.value & 0xFFFF),
                        static_cast<WORD>(MenuCommandBase + shortcut.item)});
    }
    shortcuts.table.Reset(CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size())));
}

} // namespace

void ReleaseMenusOf(int window) {
    std::lock_guard<std::mutex> lock(shortcutLock);
    shortcutTables[window].shortcuts.clear();
    shortcutTables[window].table.Reset();
    // The menu bar is destroyed with its window.
    menuBars[window] = nullptr;
    if (newestMenuBar == window) {
        newestMenuBar = -1;
        newestMenu = nullptr;
    }
}

bool TranslateShortcut(MSG& message) {
    HWND active = GetActiveWindow();
    int window = WindowNumber(active);
    if (window < 0) {
        return false;
    }
    std::lock_guard<std::mutex> lock(shortcutLock);
    ShortcutTable& shortcuts = shortcutTables[window];
    if (shortcuts.table.Get() == nullptr) {
        RebuildTable(shortcuts);
    }
    return TranslateAcceleratorA(active, shortcuts.table.Get(), &message) != 0;
}

} // namespace win32

using namespace win32;

bool CreateMenuBar(int window) {
    HWND hwnd = WindowHandle(window);
    if (hwnd == nullptr) {
        return false;
    }
    HMENU bar = CreateMenu();
    if (bar == nullptr) {
        return false;
    }
    if (!SetMenu(hwnd, bar)) {
        DestroyMenu(bar);
        return false;
    }
    menuBars[window] = bar;
    newestMenuBar = window;
    newestMenu = nullptr;
    FitClientArea(window);
    return true;
}

void AddMenu(const std::string& label) {
    if (newestMenuBar < 0) {
        return;
    }
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) {
        return;
    }
    if (!AppendMenuA(menuBars[newestMenuBar], MF_POPUP | MF_STRING,
                     reinterpret_cast<UINT_PTR>(menu), label.c_str())) {
        DestroyMenu(menu);
        return;
    }
    newestMenu = menu;
    DrawMenuBar(WindowHandle(newestMenuBar));
    // The bar's height can change with its first entries.
    FitClientArea(newestMenuBar);
}

void AddMenuItem(int item, const std::string& label) {
    if (newestMenu != nullptr) {
        AppendMenuA(newestMenu, MF_STRING, static_cast<UINT_PTR>(MenuCommandBase + item),
                    label.c_str());
    }
}

void DisableMenuItem(int menu, int item, bool greyed) {
    HMENU bar = ValidWindow(menu) ? menuBars[menu].load() : nullptr;
    if (bar != nullptr) {
        EnableMenuItem(bar, static_cast<UINT>(MenuCommandBase + item),
                       MF_BYCOMMAND | (greyed ? MF_GRAYED : MF_ENABLED));
    }
}

void AddShortcut(int window, int shortcut, int item) {
    if (!ValidWindow(window)) {
        return;
    }
    std::lock_guard<std::mutex> lock(shortcutLock);
    ShortcutTable& shortcuts = shortcutTables[window];
    bool moved = false;
    for (Shortcut& existing : shortcuts.shortcuts) {
        if (existing.value == shortcut) {
            existing.item = item;
            moved = true;
        }
    }
    if (!moved) {
        shortcuts.shortcuts.push_back({shortcut, item});
    }
    RebuildTable(shortcuts);
}

void RemoveShortcut(int window, int shortcut) {
    if (!ValidWindow(window)) {
        return;
    }
    std::lock_guard<std::mutex> lock(shortcutLock);
    ShortcutTable& shortcuts = shortcutTables[window];
    std::erase_if(shortcuts.shortcuts, [shortcut](const Shortcut& existing) {
        return shortcut == -1 || existing.value == shortcut;
    });
    RebuildTable(shortcuts);
}

} // namespace dg
