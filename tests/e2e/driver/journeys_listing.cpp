// Listing a folder through the real chooser: its tree, OK, Cancel and its close box; and
// writing the list as reports, with names in three scripts.
#include "app.h"
#include "platform/ids.h"
#include "reports/csv_report.h"
#include "reports/html_report.h"
#include "reports/text_report.h"

#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <set>

using namespace e2e;

namespace {

constexpr const char* ChooserTitle = "Digestorium - Select Directory";
constexpr int ListingMs = 120000;
// The runner made files of these names in files\.
constexpr const char* ListedFolder = "Ωμέγα_日本_Café";
const std::vector<std::string> ScriptNames = {"日本語.txt", "Ελληνικά.txt", "Café_Ñandú.txt"};

std::string Completed(int files) {
    return "Directory listing operation has been completed - " + std::to_string(files) +
           " files listed.";
}

// ListedFolder, the only folder in Documents, holding just these copies of the runner's
// files (name, runner's file) and a subfolder that is not listed. Copies of large.bin, all
// zeros, are made sparse by setting their end.
void FillListingFolder(const std::vector<std::pair<std::string, std::string>>& files) {
    const std::string folder = DocumentsFolder() + ListedFolder + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "sub").c_str(), nullptr);
    WIN32_FIND_DATAA entry{};
    HANDLE find = FindFirstFileA((folder + "*.*").c_str(), &entry);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &entry))
        DeleteFileA((folder + entry.cFileName).c_str());
    FindClose(find);
    for (const auto& [name, source] : files) {
        const std::string from = WorkPath("files\\" + source);
        bool made = false;
        if (source == "large.bin") {
            WIN32_FILE_ATTRIBUTE_DATA data{};
            GetFileAttributesExA(from.c_str(), GetFileExInfoStandard, &data);
            HANDLE file = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            const LARGE_INTEGER size{{data.nFileSizeLow, static_cast<LONG>(data.nFileSizeHigh)}};
            made = file != INVALID_HANDLE_VALUE &&
                   SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
            CloseHandle(file);
        } else {
            made = CopyFileA(from.c_str(), (folder + name).c_str(), FALSE) != FALSE;
        }
        Require(made, "copy of " + source, "made", "error " + std::to_string(GetLastError()));
    }
}

LRESULT SendTree(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    Require(SendMessageTimeoutA(tree, message, wParam, lParam, SMTO_NORMAL, StepMs, &result),
            "tree message " + std::to_string(message), "answered", "no answer");
    return static_cast<LRESULT>(result);
}

// Opens the chooser, opens the documents folder it starts at, selects its only subfolder and
// presses OK.
void ListFromChooser(const App& app, bool byKey, const std::string& prompt) {
    if (byKey)
        app.Press({VK_CONTROL}, 'D');
    else
        app.Click(dg::ListDirectoryButton);
    HWND chooser = nullptr;
    Require(WaitFor("the chooser with its OK button",
                    [&] {
                        chooser = app.Find(ChooserTitle);
                        return chooser && GetDlgItem(chooser, dg::DirectoryOkButton);
                    }),
            "chooser", Quote(ChooserTitle), "no such window");
    app.AwaitStatus(prompt);
    HWND tree = app.Control(dg::DirectoryTree, chooser);
    const LRESULT documents = SendTree(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    SendTree(tree, TVM_EXPAND, TVE_EXPAND, documents);
    const LRESULT folder = SendTree(tree, TVM_GETNEXTITEM, TVGN_CHILD, documents);
    Require(folder != 0, "the documents folder's subfolder in the tree", "shown", "none");
    SendTree(tree, TVM_SELECTITEM, TVGN_CARET, folder);
    Screenshot(chooser, "DirectoryWindow");
    app.Click(dg::DirectoryOkButton, chooser);
    Require(WaitFor("the chooser to close", [&] { return !IsWindow(chooser); }), "chooser",
            "closed", "still open");
}

// The listing has ended: CancelButton hidden and usable again, the bar hidden at 0.
void ExpectListingEnded(const App& app) {
    ExpectCommands(app, false);
    ExpectFlag("CancelButton hidden, enabled; bar hidden at 0", true,
               WaitFor("the job controls back", [&] {
                   HWND cancel = app.Control(dg::CancelButton);
                   return !IsWindowVisible(cancel) && IsWindowEnabled(cancel) &&
                          !IsWindowVisible(app.Control(dg::ProgressBar)) && app.Progress() == 0;
               }));
}

std::multiset<std::string> RowsFrom(const App& app, size_t first) {
    std::multiset<std::string> rows;
    const auto all = app.Look().rows;
    for (size_t i = first; i < all.size(); ++i)
        rows.insert(all[i].name + " " + all[i].hash);
    return rows;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The bytes of a report of these rows. The unit tests pin each format's bytes; this judges
// what the program hands them: the list as shown, in the format of the command.
std::string Expected(const dg::ReportFormat& format, const std::vector<Row>& rows) {
    std::string bytes = format.head({"File Name", "MD5"});
    for (const Row& row : rows)
        bytes += format.row({row.name, row.hash});
    return bytes + format.tail(static_cast<int>(rows.size()));
}

// Waits for the status line to name a report of that kind, which the previous command did
// not write, and gives its bytes once it was handed over to the program of its type if
// launched.
std::string ReportNamed(const App& app, const std::string& kind, size_t rows, bool launched) {
    const std::string written = "The list containing " + std::to_string(rows) +
                                " files has been written to " + kind + " file ";
    std::string status;
    Require(WaitFor("the " + kind + " report",
                    [&] { return (status = app.Look().status).rfind(written, 0) == 0; }),
            "status", Quote(written + "..."), Quote(status));
    const std::string path = DocumentsFolder() + status.substr(written.size());
    if (launched)
        AwaitEqual(kind + " report handed over", path, LastLaunchedDocument);
    return ReadFile(path);
}

} // namespace

// From the button, Cancel stops a listing of large files after the file in progress; from
// Ctrl+D, OK lists the files of the chosen folder; the close box gives up. No key is the
// first thing pressed after start-up: one was lost once under load there, cause unknown.
E2E_CASE(ListDirectory) {
    FillListingFolder({{"1.bin", "large.bin"},
                       {"2.bin", "large.bin"},
                       {"3.bin", "large.bin"},
                       {"4.bin", "large.bin"},
                       {"5.bin", "large.bin"}});
    App app;
    app.AwaitStatus(WelcomeStatus);
    ListFromChooser(app, false,
                    "Please select directory or click on the OK button to list current directory.");
    Require(WaitFor(
                "the second row", [&] { return app.Look().rows.size() >= 2; }, ListingMs),
            "rows", "2", std::to_string(app.Look().rows.size()));
    app.Click(dg::CancelButton);
    // The file in progress is finished, and no other: two rows, or three when Cancel came
    // after the third had begun.
    std::string status;
    WaitFor(
        "the count after Cancel",
        [&] { return (status = app.Look().status).rfind("Directory listing", 0) == 0; }, ListingMs);
    const size_t added = app.Look().rows.size();
    ExpectFlag("two or three rows after Cancel", true, added == 2 || added == 3);
    Expect("status after Cancel", Completed(static_cast<int>(added)), status);
    for (const std::string& row : RowsFrom(app, 0))
        Expect("large file's row", Upper(Digest("large.bin")), row.substr(row.find(' ') + 1));
    ExpectListingEnded(app);

    FillListingFolder({{"a.txt", "sample.txt"}, {"b.txt", "sample.txt"}});
    const std::string sample = Upper(Digest("sample.txt"));
    ListFromChooser(app, true,
                    "Select directory or click on the OK button to list current directory.");
    AwaitEqual(
        "status", Completed(2), [&] { return app.Look().status; }, ListingMs);
    ExpectFlag("rows: a.txt and b.txt with their MD5", true,
               RowsFrom(app, added) ==
                   std::multiset<std::string>{"a.txt " + sample, "b.txt " + sample});
    ExpectListingEnded(app);

    app.Click(dg::ListDirectoryButton);
    HWND chooser = nullptr;
    Require(WaitFor("the chooser", [&] { return (chooser = app.Find(ChooserTitle)) != nullptr; }),
            "chooser", Quote(ChooserTitle), "no such window");
    PostMessageA(chooser, WM_SYSCOMMAND, SC_CLOSE, 0);
    app.AwaitStatus("No directory selected.  Please select file or list directory.");
    ExpectFlag("chooser gone", true,
               WaitFor("the chooser to close", [&] { return !IsWindow(chooser); }));
    ExpectListingEnded(app);
    app.Choose("&File", "E&xit");
    Expect("exit code after Exit", 0, app.AwaitExit());
}

// A folder and files named in Japanese, Greek and accented Latin letters: listed from the
// chooser, one chosen in the open-file dialog, and the list written by Ctrl+T, Ctrl+V,
// Ctrl+H and the button as reports with the names in UTF-8.
E2E_CASE(Reports) {
    std::vector<std::pair<std::string, std::string>> files;
    std::multiset<std::string> expected{ScriptNames[0] + " " + Upper(Digest(ScriptNames[0]))};
    for (const std::string& name : ScriptNames) {
        files.push_back({name, name});
        expected.insert(name + " " + Upper(Digest(name)));
    }
    FillListingFolder(files);
    App app;
    app.AwaitStatus(WelcomeStatus);
    ListFromChooser(app, false,
                    "Please select directory or click on the OK button to list current directory.");
    AwaitEqual(
        "status", Completed(3), [&] { return app.Look().status; }, ListingMs);
    app.Click(dg::BrowseButton);
    app.AnswerFileDialog(WorkPath("files\\" + ScriptNames[0]));
    app.AwaitStatus("File processing has been completed.  1 file listed.");
    // The job gives the shortcuts back after its last status: a key pressed before is lost.
    ExpectCommands(app, false);
    const std::vector<Row> rows = app.Look().rows;
    ExpectFlag("rows: the three files listed and the chosen one, with their MD5", true,
               RowsFrom(app, 0) == expected);
    Screenshot(app.Main(), "MainWindow");

    // Each report is of another kind than the one before, so its status is new.
    app.Press({VK_CONTROL}, 'T');
    Expect("text report", Expected(dg::TextReport, rows),
           ReportNamed(app, "text", rows.size(), true));
    app.Press({VK_CONTROL}, 'V');
    Expect("CSV report", Expected(dg::CsvReport, rows),
           ReportNamed(app, "CSV", rows.size(), false));
    app.Press({VK_CONTROL}, 'H');
    Expect("HTML report", Expected(dg::HtmlReport, rows),
           ReportNamed(app, "HTML", rows.size(), true));
    app.Click(dg::TextReportButton);
    Expect("text report from the button", Expected(dg::TextReport, rows),
           ReportNamed(app, "text", rows.size(), true));
    app.Choose("&File", "E&xit");
    Expect("exit code after Exit", 0, app.AwaitExit());
}
