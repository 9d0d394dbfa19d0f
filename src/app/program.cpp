// Start-up, the event loop with its dispatch tables, and the exit sequence.
#include "app/program.h"

#include "actions/directory_listing_job.h"
#include "actions/hash_check.h"
#include "actions/report_commands.h"
#include "actions/select_file_job.h"
#include "common/text.h"
#include "platform/ids.h"
#include "platform/system.h"
#include "platform/threads.h"
#include "platform/ui.h"
#include "shell/about_window.h"
#include "shell/commands.h"
#include "shell/directory_window.h"
#include "shell/job_state.h"
#include "shell/main_window.h"

#include <string>

namespace dg {

namespace {

// Set by the exit commands; the loop ends after the event that set it.
bool ProgramEnding = false;

// ---- Control commands ----

// The job frees the slot as it ends; a job that never started frees it here.
void StartSelectFileJob() {
    SelectFileThread = StartJob(SelectFileJob);
    if (SelectFileThread == 0)
        ReleaseJob();
}

void BrowseCommand(int) {
    if (!ClaimJob())
        return;
    ResetSelectionFields();
    LockCommands();
    StartSelectFileJob();
}

void CheckCommand(int) {
    HashCheck();
}

void TextReportCommand(int) {
    WriteTextReport();
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

// The chooser holds the job slot while it is open; one that cannot be opened gives it back.
void OpenChooser() {
    if (OpenDirectoryWindow())
        return;
    CloseWindow(DirectoryWindow);
    EndJob();
    SetStatus("Unable to open the directory window.  Please select file or list directory.");
}

void ListDirectoryCommand(int) {
    if (!ClaimChooser())
        return;
    CancelRequested = false;
    ResetSelectionFields();
    SetStatus("Please select directory or click on the OK button to list current directory.");
    LockCommands();
    OpenChooser();
}

void DirectoryOkCommand(int) {
    if (!HandChooserToJob())
        return;
    ReactivateMainWindow();
    // Read before the window and its tree go.
    ChosenDirectory = GetControlText(DirectoryTree);
    CloseWindow(DirectoryWindow);
    HideControl(CancelButton, false);
    StartDirectoryListing();
}

void CancelCommand(int) {
    // Without a thread for it the cancel is not announced; the listing still stops.
    (void)StartThread(CancelListingJob, 0);
    CancelRequested = true;
}

void CloseDirectoryWindow() {
    if (!ReleaseChooser())
        return;
    CloseWindow(DirectoryWindow);
    ReactivateMainWindow();
    SetStatus("No directory selected.  Please select file or list directory.");
    RestoreCommands();
    HideControl(CancelButton, true);
}

void CloseAboutWindow() {
    CloseWindow(AboutWindow);
    ReactivateMainWindow();
    RestoreCommands();
}

void AboutOkCommand(int) {
    CloseAboutWindow();
}

// ---- Menu commands ----

void SelectFileCommand() {
    if (!ClaimJob())
        return;
    ResetSelectionFields();
    DisableControl(ListDirectoryButton, true);
    DisableControl(TextReportButton, true);
    DisableControl(CheckButton, true);
    StartSelectFileJob();
}

// The menus stay usable while the chooser is open; a second request replaces the chooser.
void MenuListDirectoryCommand() {
    if (!ClaimChooser())
        return;
    CancelRequested = false;
    ResetSelectionFields();
    SetStatus("Select directory or click on the OK button to list current directory.");
    DisableControl(ListDirectoryButton, true);
    DisableControl(TextReportButton, true);
    DisableControl(CheckButton, true);
    DisableControl(BrowseButton, true);
    OpenChooser();
}

void ClearListCommand() {
    ClearList(ResultList);
    SetStatus("List cleared.  Please select file or list directory.");
}

void ExitCommand() {
    CloseWindow(MainWindow);
    ProgramEnding = true;
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

// ---- Dispatch tables: a number not listed is ignored ----

struct ControlCommand {
    int control;
    void (*run)(int eventType);
};

struct MenuCommand {
    int item;
    void (*run)();
};

struct CloseCommand {
    int window;
    void (*run)();
};

// DirectoryTree's own events (expanding, selecting) need nothing here.
constexpr ControlCommand ControlCommands[] = {
    {BrowseButton, BrowseCommand},         {ResultList, ResultListCommand},
    {CheckButton, CheckCommand},           {ListDirectoryButton, ListDirectoryCommand},
    {TextReportButton, TextReportCommand}, {DirectoryOkButton, DirectoryOkCommand},
    {CancelButton, CancelCommand},         {AboutOkButton, AboutOkCommand},
};

constexpr MenuCommand MenuCommands[] = {
    {MenuSelectFile, SelectFileCommand},
    {MenuCheck, HashCheck},
    {MenuListDirectory, MenuListDirectoryCommand},
    {MenuTextReport, WriteTextReport},
    {MenuCsvReport, WriteCsvReport},
    {MenuHtmlReport, WriteHtmlReport},
    {MenuClearList, ClearListCommand},
    {MenuExit, ExitCommand},
    {MenuManual, ManualCommand},
    {MenuAbout, AboutCommand},
};

constexpr CloseCommand CloseCommands[] = {
    {MainWindow, ExitCommand},
    {DirectoryWindow, CloseDirectoryWindow},
    {AboutWindow, CloseAboutWindow},
};

void Dispatch(EventKind kind) {
    if (kind == EventControl) {
        const int control = EventControlNumber();
        for (const ControlCommand& command : ControlCommands)
            if (command.control == control)
                command.run(EventType());
    } else if (kind == EventMenu) {
        const int item = EventMenuItem();
        for (const MenuCommand& command : MenuCommands)
            if (command.item == item)
                command.run();
    } else if (kind == EventCloseWindow) {
        const int window = EventWindowNumber();
        for (const CloseCommand& command : CloseCommands)
            if (command.window == window)
                command.run();
    }
}

// Running jobs are neither stopped nor waited for; they end with the process.
int ReleaseAndEnd() {
    ReleaseThreadList();
    ReleasePlatform();
    return 0;
}

} // namespace

int RunProgram() {
    ProgramEnding = false;
    ResetJobState();

    InitialisePlatform();
    if (!AcquireInstanceGuard("Digestorium"))
        return ReleaseAndEnd();
    // Without MainWindow no event could ever come: end instead of waiting for good.
    if (!BuildMainWindow())
        return ReleaseAndEnd();
    HideControl(CancelButton, true);
    HideControl(ProgressBar, true);
    HideControl(WorkingLabel, true);
    SetStatus("Welcome to Digestorium.  Please select file or list directory to begin.");

    while (!ProgramEnding)
        Dispatch(WaitEvent());
    return ReleaseAndEnd();
}

} // namespace dg
