// MainWindow: its layout, menus and shortcuts, and the manual rule.
#pragma once

#include <string>

namespace dg {

struct FileMenuEntry {
    int item;
    const char* label;
    int shortcut;
};

// The File menu in menu order, with each item's shortcut.
extern const FileMenuEntry FileMenu[8];

// MainWindow with its menus, shortcuts, status bar and controls; false when the window could
// not be made. Main thread.
[[nodiscard]] bool BuildMainWindow();

// The manual in the current working directory at the moment of asking, else the installed
// one, which need not exist either. Any thread.
[[nodiscard]] std::string ManualPath();
// Something exists at the manual path. Any thread.
[[nodiscard]] bool ManualPresent();
// MenuManual is greyed while the manual is absent, and F1 registered only while present.
// Any thread.
void ApplyManualRule();

} // namespace dg
