// Listing a folder through the real chooser and cancelling a listing; writing the list as
// reports, with names in three scripts. The prompts, job controls and messages are the
// scenario tests'.
#include "app.h"
#include "platform/ids.h"
#include "reports/csv_report.h"
#include "reports/html_report.h"
#include "reports/text_report.h"

#include <commctrl.h>

using namespace e2e;

namespace {

constexpr int ListingMs = 120000;
// The runner made files of these names in files\.
constexpr const char* ListedFolder = "Ωμέγα_日本_Café";
const std::vector<std::string> ScriptNames = {"日本語.txt", "Ελληνικά.txt", "Café_Ñandú.txt"};

std::string Completed(size_t files) {
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

// Opens the chooser, opens the documents folder it starts at, selects its only subfolder and
// presses OK.
void ListFromChooser(const App& app, bool byKey) {
    if (byKey)
        app.Press(VK_CONTROL, 'D');
    else
        app.Click(dg::ListDirectoryButton);
    HWND chooser = nullptr;
    WaitFor("the chooser with its OK button", [&] {
        chooser = app.Find("Digestorium - Select Directory");
        return chooser && GetDlgItem(chooser, dg::DirectoryOkButton);
    });
    HWND tree = app.Control(dg::DirectoryTree, chooser);
    const LRESULT documents = Send(tree, TVM_GETNEXTITEM, TVGN_CARET);
    Send(tree, TVM_EXPAND, TVE_EXPAND, documents);
    const LRESULT folder = Send(tree, TVM_GETNEXTITEM, TVGN_CHILD, documents);
    Require(folder != 0, "the documents folder's subfolder in the tree", "shown", "none");
    Send(tree, TVM_SELECTITEM, TVGN_CARET, folder);
    Screenshot(chooser, "DirectoryWindow");
    app.Click(dg::DirectoryOkButton, chooser);
    WaitFor("the chooser to close", [&] { return !IsWindow(chooser); });
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
    WaitFor(
        "the " + kind + " report " + Quote(written + "..."),
        [&] { return (status = app.Look().status).rfind(written, 0) == 0; }, StepMs, &status);
    const std::string path = DocumentsFolder() + status.substr(written.size());
    if (launched)
        AwaitEqual(kind + " report handed over", path, LastLaunchedDocument);
    return ReadFile(path);
}

} // namespace

// Cancel stops a listing of large files after the file in progress.
E2E_CASE(ListDirectory) {
    FillListingFolder({{"1.bin", "large.bin"},
                       {"2.bin", "large.bin"},
                       {"3.bin", "large.bin"},
                       {"4.bin", "large.bin"},
                       {"5.bin", "large.bin"}});
    App app;
    ListFromChooser(app, false);
    WaitFor(
        "the second row", [&] { return app.Look().rows.size() >= 2; }, ListingMs);
    app.Click(dg::CancelButton);
    std::string status;
    WaitFor(
        "the count after Cancel",
        [&] { return (status = app.Look().status).rfind("Directory listing", 0) == 0; }, ListingMs,
        &status);
    // Two rows, or three when Cancel came after the third had begun.
    const std::vector<Row> rows = app.Look().rows;
    Require(rows.size() == 2 || rows.size() == 3, "rows after Cancel", "2 or 3",
            std::to_string(rows.size()));
    Expect("status after Cancel", Completed(rows.size()), status);
    for (const Row& row : rows)
        Expect("MD5 of " + row.name, Digest("large.bin"), row.hash);
}

// A folder and files named in Japanese, Greek and accented Latin letters: one chosen in the
// open-file dialog, the folder listed from Ctrl+D, and the list written by Ctrl+T, Ctrl+V,
// Ctrl+H and the button as reports with the names in UTF-8.
E2E_CASE(Reports) {
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::string> expected{ScriptNames[0] + " " + Digest(ScriptNames[0])};
    for (const std::string& name : ScriptNames) {
        files.push_back({name, name});
        expected.push_back(name + " " + Digest(name));
    }
    FillListingFolder(files);
    App app;
    app.Click(dg::BrowseButton);
    app.AnswerFileDialog(WorkPath("files\\" + ScriptNames[0]));
    app.AwaitStatus("File processing has been completed.  1 file listed.");
    ListFromChooser(app, true);
    app.AwaitStatus(Completed(3), ListingMs);
    const std::vector<Row> rows = app.Look().rows;
    Expect("rows: the chosen file and the three listed", Listing(expected), app.Rows());
    Screenshot(app.Main(), "MainWindow");

    // Each report is of another kind than the one before, so its status is new.
    struct Command {
        WORD key; // 0: the button
        const char* kind;
        const dg::ReportFormat& format;
        bool launched;
    };
    for (const Command& c :
         {Command{'T', "text", dg::TextReport, true}, Command{'V', "CSV", dg::CsvReport, false},
          Command{'H', "HTML", dg::HtmlReport, true}, Command{0, "text", dg::TextReport, true}}) {
        if (c.key)
            app.Press(VK_CONTROL, c.key);
        else
            app.Click(dg::TextReportButton);
        Expect(std::string(c.kind) + " report" + (c.key ? "" : " from the button"),
               Expected(c.format, rows), ReportNamed(app, c.kind, rows.size(), c.launched));
    }
}
