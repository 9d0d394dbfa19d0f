// MainWindow: its layout, menus and shortcuts, and the manual rule.
#include "shell/main_window.h"

#include "common/version.h"
#include "platform/ids.h"
#include "platform/system.h"
#include "platform/ui.h"

namespace dg {

namespace {

constexpr char ManualFileName[] = "digestorium_manual.pdf";

void BuildMenus() {
    AddMenu("&File");
    for (const FileMenuEntry& entry : FileMenu) {
        AddMenuItem(entry.item, entry.label);
        AddShortcut(MainWindow, entry.shortcut, entry.item);
    }
    AddMenu("&Help");
    AddMenuItem(MenuManual, "Digestorium Manual (PDF)\tF1");
    ApplyManualRule();
    AddMenuItem(MenuAbout, "&About");
}

} // namespace

// Every shortcut but Alt+F4 comes back with RestoreCommands.
const FileMenuEntry FileMenu[8] = {
    {MenuSelectFile, "Select &File\tCtrl+F", CtrlKey + 'F'},
    {MenuListDirectory, "List &Directory\tCtrl+D", CtrlKey + 'D'},
    {MenuCheck, "MD5 &Check\tCtrl+C", CtrlKey + 'C'},
    {MenuTextReport, "List to &Text File\tCtrl+T", CtrlKey + 'T'},
    {MenuCsvReport, "List to CS&V File\tCtrl+V", CtrlKey + 'V'},
    {MenuHtmlReport, "List to HTML File\tCtrl+H", CtrlKey + 'H'},
    {MenuClearList, "Clear List\tCtrl+L", CtrlKey + 'L'},
    {MenuExit, "E&xit\tAlt+F4", AltKey + KeyF4},
};

std::string ManualPath() {
    const std::string here = CurrentDirectory() + ManualFileName;
    const std::string installed = InstalledDataFolder();
    if (installed.empty() || FileSize(here) != -1)
        return here;
    return installed + ManualFileName;
}

bool ManualPresent() {
    return FileSize(ManualPath()) != -1;
}

void ApplyManualRule() {
    if (ManualPresent())
        AddShortcut(MainWindow, KeyF1, MenuManual);
    else
        DisableMenuItem(MenuBar, MenuManual, true);
}

bool BuildMainWindow() {
    if (!OpenWindow(MainWindow, 560, 295, "Digestorium V" DG_VERSION, WindowMinimizeBox))
        return false;
    // Without a menu bar the window still works through its buttons.
    if (CreateMenuBar(MainWindow))
        BuildMenus();
    CreateStatusBar(MainWindow, 560);

    CreateTextField(MainWindow, FileField, {15, 10, 458, 20}, FieldReadOnly);
    CreateTextField(MainWindow, FileHashField, {15, 40, 223, 20}, FieldReadOnly | FieldUpperCase);
    CreateTextField(MainWindow, CheckHashField, {15, 70, 223, 20}, FieldReadOnly | FieldUpperCase);
    CreateButton(MainWindow, BrowseButton, {483, 10, 35, 20}, "---", false);
    CreateLabel(MainWindow, FileHashLabel, {483, 40, 50, 20}, "File MD5");
    CreateLabel(MainWindow, CheckHashLabel, {483, 70, 60, 20}, "Check MD5");
    CreateList(MainWindow, ResultList, {15, 100, 528, 95});
    AddListColumn(ResultList, "File Name", 274);
    AddListColumn(ResultList, "MD5", 230);
    CreateTextField(MainWindow, FileHashLowerField, {250, 40, 223, 20},
                    FieldReadOnly | FieldLowerCase);
    CreateTextField(MainWindow, VerdictField, {250, 70, 223, 20},
                    FieldReadOnly | FieldUpperCase | FieldCentred);
    CreateButton(MainWindow, CheckButton, {15, 205, 135, 20}, "MD5 Check", false);
    CreateProgressBar(MainWindow, ProgressBar, {67, 230, 477, 10});
    CreateButton(MainWindow, ListDirectoryButton, {216, 205, 135, 20}, "List Directory", false);
    CreateButton(MainWindow, TextReportButton, {409, 205, 135, 20}, "List to Text File", false);
    // Lies over ListDirectoryButton; shown only while a listing runs.
    CreateButton(MainWindow, CancelButton, {216, 205, 135, 20}, "Cancel", false);
    CreateLabel(MainWindow, WorkingLabel, {15, 229, 50, 15}, "Working...");
    return true;
}

} // namespace dg
