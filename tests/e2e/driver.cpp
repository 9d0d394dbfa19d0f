// End-to-end driver: runs journeys through digestorium.exe, driven from outside its process as
// a user would drive it, and prints one verdict line per journey and a closing count.
//   e2e_driver EXE WORK-FOLDER [JOURNEY...]   runs every journey, or the named ones
// The status line and the list are read with messages sent with a time-out, which the
// program's main thread answers; anything that may open modal UI is posted. The rules behind
// what the journeys see are tested below them; these prove the real program's wiring.
#include "platform/ids.h"
#include "platform/win32/ui/ui_win32.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr int StepMs = 30000;
constexpr int ListingMs = 120000;
constexpr const char* MainTitle = "Digestorium V4.0.0";
// The runner made this in files\ and wrote md5sum's digest of it, in upper case as the
// program shows it, in md5sums.txt. The journeys start the program in run\, beside the manual.
constexpr const char* ChosenFile = "Ωμέγα_日本語_Café.txt";
constexpr const char* ManualFile = "run\\digestorium_manual.pdf";

std::string exe;
std::string work;

struct Failed {
    std::string what;
};

// Ends the journey unless ok.
void Require(bool ok, const std::string& what, const std::string& seen) {
    if (!ok)
        throw Failed{what + ": saw " + seen};
}

std::string Quote(const std::string& text) {
    return "\"" + text + "\"";
}

// Polls cond every 20 ms until it holds, for at most timeoutMs; *seen, when given, is what
// was seen last.
template <class Cond>
void WaitFor(const std::string& what, Cond cond, int timeoutMs = StepMs,
             const std::string* seen = nullptr) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (!cond()) {
        Require(GetTickCount64() < end, what + " within " + std::to_string(timeoutMs / 1000) + " s",
                seen ? Quote(*seen) : "not so");
        Sleep(20);
    }
}

std::string WorkPath(const std::string& name) {
    return work + "\\" + name;
}

std::string DocumentsFolder() {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, path);
    return std::string(path) + "\\";
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Waits until the program has handed the document to the program of its type; the log of
// what was handed over starts empty with each run of the driver.
void AwaitLaunched(const std::string& what, const std::string& document) {
    WaitFor(what + " handed over " + Quote(document), [&] {
        return ReadFile(WorkPath("launched.txt")).find(document + "\t") != std::string::npos;
    });
}

// The program may hold the clipboard for a moment.
void SetClipboardText(const std::string& text) {
    WaitFor("the clipboard", [] { return OpenClipboard(nullptr) != FALSE; });
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

// Not SMTO_ABORTIFHUNG: Wine calls a program hung once it has had no message for 5 s.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    Require(SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, StepMs, &result) != 0,
            "answer to message " + std::to_string(message),
            "none (error " + std::to_string(GetLastError()) + ")");
    return static_cast<LRESULT>(result);
}

// One start of the program, ended when this ends if it still runs.
class Process {
public:
    Process() {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        std::string command = Quote(exe);
        Require(CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               WorkPath("run").c_str(), &startup, &info) != 0,
                "start of " + exe, "error " + std::to_string(GetLastError()));
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        pid_ = info.dwProcessId;
    }

    ~Process() {
        if (Running()) {
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, StepMs);
        }
        CloseHandle(process_);
    }

    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // A visible top-level window of this process with that title.
    HWND Find(const std::string& title) const {
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, nullptr, title.c_str()));) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == pid_ && IsWindowVisible(w))
                return w;
        }
        return nullptr;
    }

    bool Running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

    // Waits for the process to end by itself, with exit code 0.
    void AwaitExit(const std::string& how) const {
        WaitFor("the program to end after " + how, [&] { return !Running(); });
        DWORD code = 0;
        GetExitCodeProcess(process_, &code);
        Require(code == 0, "exit code 0 after " + how, std::to_string(code));
    }

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// The program, driven as a user would drive it once it shows its welcome.
class App : public Process {
public:
    App() {
        // The window shows before its controls are made; the status bar comes among the last.
        WaitFor("the main window with its status bar", [&] {
            main_ = Find(MainTitle);
            return main_ && (status_ = FindWindowExA(main_, nullptr, STATUSCLASSNAMEA, nullptr));
        });
        AwaitStatus("Welcome to Digestorium.  Please select file or list directory to begin.");
    }

    HWND Main() const { return main_; }

    // A window of this process with that title, once its control exists: windows show before
    // their controls are made.
    HWND AwaitWindow(const std::string& title, int control) const {
        HWND window = nullptr;
        WaitFor("the window " + Quote(title) + " with its control " + std::to_string(control),
                [&] { return (window = Find(title)) && GetDlgItem(window, control); });
        return window;
    }

    HWND Control(int control, HWND window = nullptr) const {
        HWND found = GetDlgItem(window ? window : main_, control);
        Require(found != nullptr, "control " + std::to_string(control), "none");
        return found;
    }

    // The status bar answers with its only field's text.
    std::string Status() const {
        char text[1024] = "";
        Send(status_, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return text;
    }

    int Rows() const { return static_cast<int>(Send(Control(dg::ResultList), LVM_GETITEMCOUNT)); }

    // Waits for a status that begins with start and gives it.
    std::string AwaitStatus(const std::string& start, int timeoutMs = StepMs) const {
        std::string status;
        WaitFor(
            "a status " + Quote(start + "..."),
            [&] { return (status = Status()).rfind(start, 0) == 0; }, timeoutMs, &status);
        return status;
    }

    // Clicks a button once a user could: Wine clicks a disabled button too.
    void Click(int control, HWND window = nullptr) const {
        HWND button = Control(control, window);
        WaitFor("control " + std::to_string(control) + " visible and enabled",
                [&] { return IsWindowVisible(button) && IsWindowEnabled(button); });
        PostMessageA(button, BM_CLICK, 0, 0);
    }

    // Once the commands are usable, brings MainWindow to the front and presses the key with
    // the modifier, if any, held. A job gives the shortcuts back with the commands after its
    // last status, and a key pressed before that is lost.
    void Press(WORD modifier, WORD key) const {
        WaitFor("the commands usable", [&] {
            for (int control : {dg::BrowseButton, dg::CheckButton, dg::ListDirectoryButton,
                                dg::TextReportButton, dg::ResultList})
                if (!IsWindowEnabled(Control(control)))
                    return false;
            return true;
        });
        WaitFor("the main window in the foreground", [&] {
            if (GetForegroundWindow() != main_)
                SetForegroundWindow(main_);
            return GetForegroundWindow() == main_;
        });
        auto send = [](WORD vk, DWORD flags) {
            keybd_event(static_cast<BYTE>(vk),
                        static_cast<BYTE>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)), flags, 0);
        };
        if (modifier)
            send(modifier, 0);
        send(key, 0);
        send(key, KEYEVENTF_KEYUP);
        if (modifier)
            send(modifier, KEYEVENTF_KEYUP);
    }

private:
    HWND main_ = nullptr;
    HWND status_ = nullptr;
};

// A second copy is refused; Browse hashes the file chosen in the open-file dialog and Ctrl+C
// checks it against the clipboard; F1 hands over the manual, About shows until its OK
// button, and Alt+F4 ends the program.
void StartChooseAndCheck() {
    App app;
    const Process second;
    second.AwaitExit("a refused start");

    app.Click(dg::BrowseButton);
    // The path goes into the open-file dialog's file name box, 1148.
    HWND dialog = app.AwaitWindow("Digestorium - Select File", IDCANCEL);
    const std::string chosen = WorkPath("files\\") + ChosenFile;
    Send(app.Control(1148, dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
    PostMessageA(app.Control(IDOK, dialog), BM_CLICK, 0, 0);
    WaitFor("the open-file dialog to close", [&] { return !IsWindow(dialog); });
    app.AwaitStatus("File processing has been completed.  1 file listed.");
    // A match with md5sum's digest shows that the chosen file itself was hashed.
    SetClipboardText(ReadFile(WorkPath("md5sums.txt")).substr(0, 32));
    app.Press(VK_CONTROL, 'C');
    app.AwaitStatus("MD5 Match");

    app.Press(0, VK_F1);
    AwaitLaunched("F1: the manual", WorkPath(ManualFile));

    // Help > About, as a click in the menu chooses it.
    PostMessageA(app.Main(), WM_COMMAND, MAKEWPARAM(dg::win32::MenuCommandBase + dg::MenuAbout, 0),
                 0);
    // The notice is the last of its texts to be made.
    HWND about = app.AwaitWindow("Digestorium About", dg::AboutNoticeLabel);
    app.Click(dg::AboutOkButton, about);
    WaitFor("the About window to close", [&] { return !IsWindow(about); });

    app.Press(VK_MENU, VK_F4);
    app.AwaitExit("Alt+F4");
}

// The folder the listing journey opens, the only one in Documents: sparse files of 100 MB,
// long enough to hash that Cancel comes while the listing runs, named in three scripts.
void FillListingFolder() {
    const std::string folder = DocumentsFolder() + "Ωμέγα_日本_Café\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 1; i <= 5; ++i) {
        const std::string name = folder + std::to_string(i) + "_日本語_Ελληνικά_Ñandú.bin";
        HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        Require(file != INVALID_HANDLE_VALUE, "file " + name,
                "error " + std::to_string(GetLastError()));
        SetFilePointer(file, 100 << 20, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
    }
}

// Opens the chooser from its button, selects the only subfolder of the documents folder it
// starts at and presses OK.
void ListFromChooser(const App& app) {
    app.Click(dg::ListDirectoryButton);
    HWND chooser = app.AwaitWindow("Digestorium - Select Directory", dg::DirectoryOkButton);
    HWND tree = app.Control(dg::DirectoryTree, chooser);
    const LRESULT documents = Send(tree, TVM_GETNEXTITEM, TVGN_CARET);
    Send(tree, TVM_EXPAND, TVE_EXPAND, documents);
    const LRESULT folder = Send(tree, TVM_GETNEXTITEM, TVGN_CHILD, documents);
    Require(folder != 0, "the documents folder's subfolder in the tree", "none");
    Send(tree, TVM_SELECTITEM, TVGN_CARET, folder);
    app.Click(dg::DirectoryOkButton, chooser);
    WaitFor("the chooser to close", [&] { return !IsWindow(chooser); });
}

// Cancel stops a listing of large files after the file in progress; Ctrl+T, Ctrl+V and
// Ctrl+H write the rows it left to Documents, each report but the CSV handed over to the
// program of its type.
void Reports() {
    FillListingFolder();
    App app;
    ListFromChooser(app);
    const std::string completed = "Directory listing operation has been completed - ";
    WaitFor(
        "the second row",
        [&] {
            const std::string status = app.Status();
            Require(status.rfind(completed, 0) != 0, "no count before Cancel", Quote(status));
            return app.Rows() >= 2;
        },
        ListingMs);
    app.Click(dg::CancelButton);
    const std::string status = app.AwaitStatus(completed, ListingMs);
    // Two rows, or three when Cancel came after the third had begun.
    const std::string rows = std::to_string(app.Rows());
    Require(rows == "2" || rows == "3", "rows after Cancel 2 or 3", rows);
    const std::string listed = completed + rows + " files listed.";
    Require(status == listed, "status after Cancel " + Quote(listed), Quote(status));

    // Each report is of another kind than the one before, so its status is new. Their bytes
    // are the unit tests' business.
    for (const auto& [key, kind] :
         {std::pair<WORD, std::string>{'T', "text"}, {'V', "CSV"}, {'H', "HTML"}}) {
        app.Press(VK_CONTROL, key);
        const std::string written =
            "The list containing " + rows + " files has been written to " + kind + " file ";
        const std::string path =
            DocumentsFolder() + app.AwaitStatus(written).substr(written.size());
        if (kind != "CSV")
            AwaitLaunched(kind + " report", path);
    }
}

// The manual and the reports open in the stand-in beside the test programs, which notes
// each document it is given.
void Prepare() {
    char driver[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, driver, sizeof driver);
    const std::string folder(driver, std::strrchr(driver, '\\'));
    const std::string open = "\"" + folder + "\\..\\dg_document_program.exe\" \"%1\"";
    for (const char* type : {".pdf", ".txt", ".html"})
        RegSetValueA(HKEY_CLASSES_ROOT, type, REG_SZ, "DigestoriumE2E.Document", 0);
    RegSetValueA(HKEY_CLASSES_ROOT, "DigestoriumE2E.Document\\shell\\open\\command", REG_SZ,
                 open.c_str(), 0);
    SetEnvironmentVariableA("DG_LAUNCH_LOG", WorkPath("launched.txt").c_str());
    DeleteFileA(WorkPath("launched.txt").c_str());
    CreateDirectoryA(WorkPath("run").c_str(), nullptr);
    std::ofstream(WorkPath(ManualFile)) << "%PDF-1.4\n%%EOF\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: e2e_driver EXE WORK-FOLDER [JOURNEY...]\n");
        return 2;
    }
    exe = argv[1];
    work = argv[2];
    // Each line as it comes, in case the run is cut short.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    Prepare();
    int passed = 0;
    int failed = 0;
    for (const auto& [name, run] :
         {std::pair<std::string, void (*)()>{"StartChooseAndCheck", StartChooseAndCheck},
          {"Reports", Reports}}) {
        if (argc > 3 && std::find(argv + 3, argv + argc, name) == argv + argc)
            continue;
        std::printf("== %s\n", name.c_str());
        const ULONGLONG start = GetTickCount64();
        bool ok = true;
        try {
            run();
        } catch (const Failed& failure) {
            std::printf("  %s\n", failure.what.c_str());
            ok = false;
        }
        std::printf("%s %s (%.1f s)\n", ok ? "PASS" : "FAIL", name.c_str(),
                    (GetTickCount64() - start) / 1000.0);
        (ok ? passed : failed)++;
    }
    std::printf("driver: %d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}
