// The command states of MainWindow.
#include "shell/command_states.h"

#include "platform/ids.h"
#include "platform/ui.h"
#include "shell/job_state.h"
#include "shell/main_window.h"

namespace dg {

namespace {

constexpr int LockedMenuItems[] = {MenuListDirectory, MenuCheck,     MenuSelectFile,
                                   MenuTextReport,    MenuCsvReport, MenuHtmlReport,
                                   MenuClearList,     MenuAbout};
constexpr int RestoredMenuItems[] = {MenuListDirectory, MenuCheck,     MenuSelectFile,
                                     MenuTextReport,    MenuCsvReport, MenuHtmlReport,
                                     MenuClearList,     MenuManual,    MenuAbout};
constexpr int CommandControls[] = {ListDirectoryButton, TextReportButton, CheckButton, BrowseButton,
                                   ResultList};

} // namespace

void SetStatus(const std::string& text) {
    SetStatusText(StatusBar, 0, text);
}

void LockCommands() {
    for (int item : LockedMenuItems)
        DisableMenuItem(MenuBar, item, true);
    for (int control : CommandControls)
        DisableControl(control, true);
    RemoveShortcut(MainWindow, -1);
}

void RestoreCommands() {
    for (int item : RestoredMenuItems)
        DisableMenuItem(MenuBar, item, false);
    for (int control : CommandControls)
        DisableControl(control, false);
    for (const FileMenuEntry& entry : FileMenu)
        if (entry.item != MenuExit)
            AddShortcut(MainWindow, entry.shortcut, entry.item);
    ApplyManualRule();
}

void ResetSelectionFields() {
    SetControlText(VerdictField, "");
    SetControlColor(VerdictField, ColourBackground, DefaultColour);
    SetControlText(CheckHashField, "");
    SetControlText(FileHashField, "");
    SetControlText(FileHashLowerField, "");
    SetControlText(FileField, "");
}

void ReactivateMainWindow() {
    const int state = GetWindowState(MainWindow);
    if (state == WindowMinimized || state == WindowMaximized)
        SetWindowState(MainWindow, WindowNormal);
    ActivateWindow(MainWindow);
}

void EndJob() {
    ReleaseJob();
    RestoreCommands();
}

int StartJob(ThreadProcedure job) {
    const int thread = StartThread(job, 0);
    if (thread == 0) {
        // Otherwise the commands would stay locked for good.
        RestoreCommands();
        SetStatus("Unable to start the job.  Please select file or list directory.");
    }
    return thread;
}

} // namespace dg
