// Start-up, the event loop with its dispatch tables, and the exit sequence.
#include "app/program.h"

#include "actions/commands.h"
#include "actions/hash_check.h"
#include "actions/report_commands.h"
#include "platform/ids.h"
#include "platform/system.h"
#include "platform/threads.h"
#include "platform/ui.h"
#include "shell/command_states.h"
#include "shell/job_state.h"
#include "shell/main_window.h"

#include <string>

namespace dg {

namespace {

// Set by the exit commands; the loop ends after the event that set it.
bool ProgramEnding = false;

void ExitCommand() {
    CloseWindow(MainWindow);
    ProgramEnding = true;
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
    {BrowseButton, [](int) { SelectFileCommand(CommandPath::Button); }},
    {ResultList, ResultListCommand},
    {CheckButton, [](int) { HashCheck(); }},
    {ListDirectoryButton, [](int) { ListDirectoryCommand(CommandPath::Button); }},
    {TextReportButton, [](int) { WriteTextReport(); }},
    {DirectoryOkButton, [](int) { DirectoryOkCommand(); }},
    {CancelButton, [](int) { CancelCommand(); }},
    {AboutOkButton, [](int) { CloseAboutWindowCommand(); }},
};

constexpr MenuCommand MenuCommands[] = {
    {MenuSelectFile, [] { SelectFileCommand(CommandPath::Menu); }},
    {MenuCheck, HashCheck},
    {MenuListDirectory, [] { ListDirectoryCommand(CommandPath::Menu); }},
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
    {DirectoryWindow, CloseDirectoryWindowCommand},
    {AboutWindow, CloseAboutWindowCommand},
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
