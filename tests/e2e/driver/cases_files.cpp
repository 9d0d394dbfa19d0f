// Choosing a file through the real open-file dialog, and checking its hash against the
// clipboard.
#include "app.h"
#include "cases.h"
#include "check.h"
#include "desktop.h"
#include "expect.h"
#include "platform/ids.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

using namespace e2e;

namespace {

constexpr const char* DoneStatus = "File processing has been completed.  1 file listed.";
constexpr const char* NoFileStatus = "No file selected.  Please select file or list directory";
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Yellow = RGB(255, 255, 0);
constexpr int HashTimeoutMs = 60000;

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string Colour(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06lX", static_cast<unsigned long>(colour));
    return text;
}

// A pixel of VerdictField's background, left of the centred text.
COLORREF VerdictColour(const App& app) {
    return app.Pixel(dg::VerdictField, 3,
                     App::ClientRect(app.Control(dg::VerdictField)).height / 2);
}

// Answers the open-file dialog with a file the runner made, and waits for the hash.
void ChooseDataFile(const App& app, const std::string& name) {
    app.ChooseFile(app.WaitFileDialog(), DataFile(name));
    Expect("status after choosing " + name, DoneStatus, app.WaitStatus(DoneStatus, HashTimeoutMs));
    WaitIdle(app);
}

// The row and the three fields that a chosen file fills.
void ExpectListed(const App& app, int row, const std::string& name) {
    const std::string digest = Digest(name);
    Expect(Numbered("name in row ", row), name, app.Cell(row, 0));
    Expect(Numbered("MD5 in row ", row), Upper(digest), app.Cell(row, 1));
    Expect("FileField", name, app.Text(dg::FileField));
    Expect("FileHashField", Upper(digest), app.Text(dg::FileHashField));
    Expect("FileHashLowerField", digest, app.Text(dg::FileHashLowerField));
}

void ExpectVerdict(const App& app, const std::string& status, const std::string& verdict,
                   COLORREF colour) {
    Expect("status", status, app.WaitStatus(status, 10000));
    Expect("VerdictField", verdict, app.Text(dg::VerdictField));
    COLORREF seen = 0;
    WaitUntil([&] { return (seen = VerdictColour(app)) == colour; }, 5000);
    Expect("VerdictField background", Colour(colour), Colour(seen));
}

// The program started with sample.txt chosen through BrowseButton.
struct SampleChosen {
    App app{Work("run")};
    COLORREF plainVerdict = 0;

    SampleChosen() {
        app.WaitStatus(WelcomeStatus, 10000);
        plainVerdict = VerdictColour(app);
        app.Click(dg::BrowseButton);
        ChooseDataFile(app, "sample.txt");
    }
};

} // namespace

E2E_CASE(SelectFileByBrowseButton) {
    App app(Work("run"));
    app.WaitStatus(WelcomeStatus, 10000);
    app.Click(dg::BrowseButton);
    HWND dialog = app.WaitFileDialog();
    ExpectFlag("ProgressBar visible while the dialog is open", false, app.Visible(dg::ProgressBar));
    app.ChooseFile(dialog, DataFile("sample.txt"));
    Expect("status", DoneStatus, app.WaitStatus(DoneStatus, HashTimeoutMs));
    Expect("rows", 1, app.Rows());
    ExpectListed(app, 0, "sample.txt");
    ExpectCommands(app, false, false);
}

E2E_CASE(SelectFileByMenuAndCtrlF) {
    App app(Work("run"));
    app.WaitStatus(WelcomeStatus, 10000);
    app.ChooseMenu("&File", "Select &File");
    ChooseDataFile(app, "two words.bin");
    Expect("rows", 1, app.Rows());
    ExpectListed(app, 0, "two words.bin");

    app.Press(app.Main(), {VK_CONTROL}, 'F');
    ChooseDataFile(app, "empty.txt");
    Expect("rows", 2, app.Rows());
    Expect("name in row 0", "two words.bin", app.Cell(0, 0));
    ExpectListed(app, 1, "empty.txt");

    // Clearing the list keeps the fields.
    app.ChooseMenu("&File", "Clear List");
    const std::string cleared = "List cleared.  Please select file or list directory.";
    Expect("status", cleared, app.WaitStatus(cleared, 10000));
    Expect("rows after Clear List", 0, app.Rows());
    Expect("FileField after Clear List", "empty.txt", app.Text(dg::FileField));
}

E2E_CASE(CancelFileDialog) {
    App app(Work("run"));
    app.WaitStatus(WelcomeStatus, 10000);
    app.Click(dg::BrowseButton);
    app.CancelFileDialog(app.WaitFileDialog());
    Expect("status", NoFileStatus, app.WaitStatus(NoFileStatus, 10000));
    Expect("rows", 0, app.Rows());
    Expect("FileField", "", app.Text(dg::FileField));
    ExpectCommands(app, false, false);
}

E2E_CASE(HashCheckMatchAndMismatch) {
    SampleChosen s;
    const std::string digest = Digest("sample.txt");

    SetClipboardText(digest); // lower case still matches
    s.app.Click(dg::CheckButton);
    ExpectVerdict(s.app, "MD5 Match", "MD5 MATCH", Green);
    Expect("CheckHashField", Upper(digest), s.app.Text(dg::CheckHashField));

    // 32 characters with a blank in place of a digit
    const std::string other = " " + digest.substr(1);
    SetClipboardText(other);
    s.app.ChooseMenu("&File", "MD5 &Check");
    ExpectVerdict(s.app, "MD5 Mismatch.", "MD5 MISMATCH", Red);
    Expect("CheckHashField", Upper(other), s.app.Text(dg::CheckHashField));

    // A new choice empties the verdict and gives back its plain background.
    s.app.Press(s.app.Main(), {VK_CONTROL}, 'F');
    s.app.CancelFileDialog(s.app.WaitFileDialog());
    Expect("status", NoFileStatus, s.app.WaitStatus(NoFileStatus, 10000));
    Expect("VerdictField after a new choice", "", s.app.Text(dg::VerdictField));
    Expect("VerdictField background after a new choice", Colour(s.plainVerdict),
           Colour(VerdictColour(s.app)));
}

E2E_CASE(HashCheckWithoutHash) {
    SampleChosen s;
    const std::string digest = Digest("sample.txt");
    SetClipboardText(Upper(digest));
    s.app.Click(dg::CheckButton);
    ExpectVerdict(s.app, "MD5 Match", "MD5 MATCH", Green);

    // Ctrl+C in a text field checks and copies nothing, even with the field's text selected.
    ClearClipboard();
    HWND field = s.app.Control(dg::FileField);
    s.app.ClickAt(field, 5, 5);
    Require(WaitUntil([&] { return s.app.Focus() == field; }, 5000), "focus", "FileField",
            "elsewhere");
    s.app.SelectAllText(dg::FileField);
    s.app.Press(s.app.Main(), {VK_CONTROL}, 'C');
    ExpectVerdict(s.app, "Copy MD5 Hash to the Clipboard.", "NO MD5 HASH ON THE CLIPBOARD", Yellow);
    Expect("CheckHashField keeps the last hash", Upper(digest), s.app.Text(dg::CheckHashField));
    Expect("clipboard after Ctrl+C", "", ClipboardText());

    // A hash with a line break after it is no hash; a picture is no text. Clear List sets
    // another status between two equal verdicts.
    const std::string cleared = "List cleared.  Please select file or list directory.";
    for (bool picture : {false, true}) {
        s.app.ChooseMenu("&File", "Clear List");
        s.app.WaitStatus(cleared, 10000);
        if (picture) {
            SetClipboardPicture();
        } else {
            SetClipboardText(digest + "\r\n");
        }
        s.app.Click(dg::CheckButton);
        ExpectVerdict(s.app, "Copy MD5 Hash to the Clipboard.", "NO MD5 HASH ON THE CLIPBOARD",
                      Yellow);
    }
}

E2E_CASE(RowClickChecks) {
    SampleChosen s;
    s.app.Click(dg::BrowseButton);
    ChooseDataFile(s.app, "two words.bin");
    Expect("rows", 2, s.app.Rows());

    SetClipboardText(Digest("sample.txt"));
    s.app.ClickRow(0);
    ExpectVerdict(s.app, "MD5 Match", "MD5 MATCH", Green);
    Expect("selected row", 0, s.app.SelectedRow());
    ExpectListed(s.app, 0, "sample.txt");

    s.app.ClickRow(1);
    ExpectVerdict(s.app, "MD5 Mismatch.", "MD5 MISMATCH", Red);
    ExpectListed(s.app, 1, "two words.bin");
}

E2E_CASE(SelectMissingFile) {
    // The dialog takes a name that does not exist; the file is listed without a hash.
    App app(Work("run"));
    app.WaitStatus(WelcomeStatus, 10000);
    app.Click(dg::BrowseButton);
    ChooseDataFile(app, "missing.txt");
    Expect("rows", 1, app.Rows());
    Expect("name in row 0", "missing.txt", app.Cell(0, 0));
    Expect("MD5 in row 0", "", app.Cell(0, 1));
    Expect("FileField", "missing.txt", app.Text(dg::FileField));
    Expect("FileHashField", "", app.Text(dg::FileHashField));
    Expect("FileHashLowerField", "", app.Text(dg::FileHashLowerField));

    SetClipboardText(Digest("sample.txt"));
    app.Click(dg::CheckButton);
    const std::string nothing =
        "No file and MD5 hash available to check.  Please select file or list directory.";
    Expect("status", nothing, app.WaitStatus(nothing, 10000));
    Expect("VerdictField", "", app.Text(dg::VerdictField));
}

E2E_CASE(ClickInEmptyList) {
    App app(Work("run"));
    app.WaitStatus(WelcomeStatus, 10000);
    app.ClickAt(app.Control(dg::ResultList), 100, 60);
    const std::string none =
        "No file selected or list is empty.  Please select file or list directory.";
    Expect("status", none, app.WaitStatus(none, 10000));
}

E2E_CASE(ProgressWhileHashing) {
    App app(Work("run"));
    app.WaitStatus(WelcomeStatus, 10000);
    app.Click(dg::BrowseButton);
    app.ChooseFile(app.WaitFileDialog(), DataFile("big.bin"));
    bool barSeen = false;
    bool labelSeen = false;
    WaitUntil(
        [&] {
            barSeen = barSeen || app.Visible(dg::ProgressBar);
            labelSeen = labelSeen || app.Visible(dg::WorkingLabel);
            return app.Status() == DoneStatus;
        },
        HashTimeoutMs);
    Expect("status", DoneStatus, app.Status());
    ExpectFlag("ProgressBar seen while hashing", true, barSeen);
    ExpectFlag("WorkingLabel seen while hashing", true, labelSeen);
    const bool hidden = WaitUntil(
        [&] { return !app.Visible(dg::ProgressBar) && !app.Visible(dg::WorkingLabel); }, 5000);
    ExpectFlag("ProgressBar and WorkingLabel hidden after hashing", true, hidden);
    Expect("ProgressBar position after hashing", 0, app.Progress());
    ExpectListed(app, 0, "big.bin");
}
