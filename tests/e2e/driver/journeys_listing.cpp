// Listing a folder through the real chooser: its tree, OK, Cancel and its close box.
#include "app.h"
#include "platform/ids.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>
#include <set>

using namespace e2e;

namespace {

constexpr const char* ChooserTitle = "Digestorium - Select Directory";
constexpr int ListingMs = 120000;

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string Completed(int files) {
    return "Directory listing operation has been completed - " + std::to_string(files) +
           " files listed.";
}

// Documents\dg-e2e-listing, the only folder in Documents, holding just these copies of the
// runner's files (name, runner's file) and a subfolder that is not listed. Copies of
// large.bin, all zeros, are made sparse by setting their end.
void FillListingFolder(const std::vector<std::pair<std::string, std::string>>& files) {
    char documents[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, documents);
    const std::string folder = std::string(documents) + "\\dg-e2e-listing\\";
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

} // namespace

// From the button and from Ctrl+D, OK lists the files of the chosen folder; Cancel stops a
// listing of large files after the file in progress; the close box gives up.
E2E_CASE(ListDirectory) {
    FillListingFolder({{"a.txt", "sample.txt"}, {"b.txt", "sample.txt"}});
    App app;
    app.AwaitStatus(WelcomeStatus);
    const std::string sample = Upper(Digest("sample.txt"));
    ListFromChooser(app, false,
                    "Please select directory or click on the OK button to list current directory.");
    AwaitEqual(
        "status", Completed(2), [&] { return app.Look().status; }, ListingMs);
    ExpectListingEnded(app);
    ListFromChooser(app, true,
                    "Select directory or click on the OK button to list current directory.");
    AwaitEqual(
        "status", Completed(2), [&] { return app.Look().status; }, ListingMs);
    ExpectFlag("rows of both listings: a.txt and b.txt twice, with their MD5", true,
               RowsFrom(app, 0) == std::multiset<std::string>{"a.txt " + sample, "a.txt " + sample,
                                                              "b.txt " + sample,
                                                              "b.txt " + sample});

    FillListingFolder({{"1.bin", "large.bin"},
                       {"2.bin", "large.bin"},
                       {"3.bin", "large.bin"},
                       {"4.bin", "large.bin"},
                       {"5.bin", "large.bin"}});
    ListFromChooser(app, false,
                    "Please select directory or click on the OK button to list current directory.");
    Require(WaitFor(
                "the second row", [&] { return app.Look().rows.size() >= 6; }, ListingMs),
            "rows", "6", std::to_string(app.Look().rows.size()));
    app.Click(dg::CancelButton);
    // The file in progress is finished, and no other: two rows, or three when Cancel came
    // after the third had begun.
    std::string status;
    WaitFor(
        "the count after Cancel",
        [&] { return (status = app.Look().status).rfind("Directory listing", 0) == 0; }, ListingMs);
    const size_t added = app.Look().rows.size() - 4;
    ExpectFlag("two or three rows after Cancel", true, added == 2 || added == 3);
    Expect("status after Cancel", Completed(static_cast<int>(added)), status);
    for (const std::string& row : RowsFrom(app, 4))
        Expect("large file's row", Upper(Digest("large.bin")), row.substr(row.find(' ') + 1));
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
