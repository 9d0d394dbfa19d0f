// Choosing files through the real open-file dialog, and checking their hashes against the
// clipboard.
#include "app.h"
#include "platform/ids.h"

using namespace e2e;

namespace {

constexpr const char* DoneStatus = "File processing has been completed.  1 file listed.";
constexpr const char* NoHashStatus = "Copy MD5 Hash to the Clipboard.";
// Hashing the 400 MB file may take a while on a busy machine.
constexpr int HashMs = 120000;

// The verdict's colours are the scenario tests' (which) and the Win32 tests' (painted).
void ExpectVerdict(const App& app, const std::string& status, const std::string& verdict) {
    app.AwaitStatus(status);
    Expect("VerdictField", verdict, app.Text(dg::VerdictField));
}

// The row and the three fields that choosing the file fills.
void ExpectListed(const App& app, size_t row, const std::string& name) {
    const auto rows = app.Look().rows;
    Require(row < rows.size(), "row " + std::to_string(row), name, "missing");
    Expect("name in row " + std::to_string(row), name, rows[row].name);
    Expect("MD5 in row " + std::to_string(row), Upper(Digest(name)), rows[row].hash);
    Expect("FileField", name, app.Text(dg::FileField));
    Expect("FileHashField", Upper(Digest(name)), app.Text(dg::FileHashField));
    Expect("FileHashLowerField", Digest(name), app.Text(dg::FileHashLowerField));
}

} // namespace

// Browse, the three ways to check, a second file with the progress shown while it hashes, a
// cancelled choice, Clear List and Exit.
E2E_CASE(ChooseAndCheck) {
    App app;
    app.AwaitStatus(WelcomeStatus);
    app.Click(dg::BrowseButton);
    app.AnswerFileDialog(WorkPath("files\\sample.txt"));
    AwaitEqual(
        "status", DoneStatus, [&] { return app.Look().status; }, HashMs);
    ExpectCommands(app, false);
    ExpectListed(app, 0, "sample.txt");

    SetClipboardText(Digest("sample.txt")); // lower case still matches
    app.Click(dg::CheckButton);
    ExpectVerdict(app, "MD5 Match", "MD5 MATCH");
    SetClipboardText(" " + Digest("sample.txt").substr(1));
    app.Press({VK_CONTROL}, 'C');
    ExpectVerdict(app, "MD5 Mismatch.", "MD5 MISMATCH");
    ClearClipboard();
    app.Choose("&File", "MD5 &Check");
    ExpectVerdict(app, NoHashStatus, "NO MD5 HASH ON THE CLIPBOARD");

    app.Press({VK_CONTROL}, 'F');
    app.AnswerFileDialog(WorkPath("files\\big.bin"));
    bool barSeen = false;
    bool labelSeen = false;
    AwaitEqual(
        "status", DoneStatus,
        [&] {
            barSeen = barSeen || IsWindowVisible(app.Control(dg::ProgressBar));
            labelSeen = labelSeen || IsWindowVisible(app.Control(dg::WorkingLabel));
            return app.Look().status;
        },
        HashMs);
    ExpectFlag("ProgressBar seen while hashing", true, barSeen);
    ExpectFlag("WorkingLabel seen while hashing", true, labelSeen);
    // The animator hides the bar, then sets it back to 0: wait for both.
    ExpectFlag("ProgressBar and WorkingLabel hidden, the bar at 0", true,
               WaitFor("the bar hidden and at 0", [&] {
                   return !IsWindowVisible(app.Control(dg::ProgressBar)) &&
                          !IsWindowVisible(app.Control(dg::WorkingLabel)) && app.Progress() == 0;
               }));
    ExpectListed(app, 1, "big.bin");

    // A new choice empties the verdict.
    app.Press({VK_CONTROL}, 'F');
    app.AnswerFileDialog("");
    app.AwaitStatus("No file selected.  Please select file or list directory");
    Expect("VerdictField after a new choice", "", app.Text(dg::VerdictField));

    app.Press({VK_CONTROL}, 'L');
    app.AwaitStatus("List cleared.  Please select file or list directory.");
    Expect("rows after Clear List", 0, app.Look().rows.size());
    app.Choose("&File", "E&xit");
    Expect("exit code after Exit", 0, app.AwaitExit());
}
