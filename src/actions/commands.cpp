#include "actions/commands.h"

#include "actions/directory_listing_job.h"
#include "actions/hash_check.h"
#include "actions/select_file_job.h"
#include "platform/ids.h"
#include "platform/system.h"
#include "platform/threads.h"
#include "platform/ui.h"
#include "shell/about_window.h"
#include "shell/command_states.h"
#include "shell/directory_window.h"
#include "shell/job_state.h"
#include "shell/main_window.h"

#include <initializer_list>
#include <string>

namespace dg {

namespace {

void DisableButtons(std::initializer_list<int> buttons) {
    for (int button : buttons)
        DisableControl(button, true);
}

// The chooser holds the job slot while it is open; one that cannot be opened gives it back.
void OpenChooser() {
    if (OpenDirectoryWindow())
        return;
    CloseWindow(DirectoryWindow);
    EndJob();
    SetStatus("Unable to open the directory window.  Please select file or list directory.");
}

} // namespace

// A button locks every command at once. A menu item disables only the buttons and leaves the
// menus and shortcuts usable: the select-file job locks them itself once a file is chosen,
// and a second List Directory replaces the open chooser.
void SelectFileCommand(CommandPath path) {
    if (!ClaimJob())
        return;
    ResetSelectionFields();
    if (path == CommandPath::Button)
        LockCommands();
    else
        DisableButtons({ListDirectoryButton, TextReportButton, CheckButton});
    StartSelectFileJob();
}

void ListDirectoryCommand(CommandPath path) {
    if (!ClaimChooser())
        return;
    CancelRequested = false;
    ResetSelectionFields();
    if (path == CommandPath::Button) {
        SetStatus("Please select directory or click on the OK button to list current directory.");
        LockCommands();
    } else {
        SetStatus("Select directory or click on the OK button to list current directory.");
        DisableButtons({ListDirectoryButton, TextReportButton, CheckButton, BrowseButton});
    }
    OpenChooser();
}

void ResultListCommand(int eventType) {
    if (eventType != ListLeftClick && eventType != ListSelectionChanged)
        return;
    const int selectedRow = GetControlState(ResultList);
    if (selectedRow < 0) {
        SetStatus("No file selected or list is empty.  Please select file or list directory.");
        return;
    }
    const std::string selectedFileName = GetListCellText(ResultList, selectedRow, 0);
    const std::string selectedFileHash = GetListCellText(ResultList, selectedRow, 1);
    SetControlText(FileField, selectedFileName);
    SetControlText(FileHashField, selectedFileHash);
    SetControlText(FileHashLowerField, LowerCase(selectedFileHash));
    SetStatus("File " + selectedFileName + " Selected.");
    HashCheck();
}

void DirectoryOkCommand() {
    if (!HandChooserToJob())
        return;
    ReactivateMainWindow();
    // Read before the window and its tree go.
    ChosenDirectory = GetControlText(DirectoryTree);
    CloseWindow(DirectoryWindow);
    HideControl(CancelButton, false);
    StartDirectoryListing();
}

void CancelCommand() {
    // Without a thread for it the cancel is not announced; the listing still stops.
    (void)StartThread(CancelListingJob, 0);
    CancelRequested = true;
}

void CloseDirectoryWindowCommand() {
    if (!ReleaseChooser())
        return;
    CloseWindow(DirectoryWindow);
    ReactivateMainWindow();
    SetStatus("No directory selected.  Please select file or list directory.");
    RestoreCommands();
    HideControl(CancelButton, true);
}

void CloseAboutWindowCommand() {
    CloseWindow(AboutWindow);
    ReactivateMainWindow();
    RestoreCommands();
}

void ClearListCommand() {
    ClearList(ResultList);
    SetStatus("List cleared.  Please select file or list directory.");
}

void ManualCommand() {
    // The manual may have gone since the menu was last updated: then nothing happens.
    if (!ManualPresent())
        return;
    if (!LaunchProgram(ManualPath(), "", "", 0))
        ShowMessage("MD5 File Error", "Unable to open the Digestorium Manual.", 0);
}

void AboutCommand() {
    if (OpenAboutWindow())
        LockCommands();
}

} // namespace dg
