// Start-up, the single copy, the manual, the About window, the ways out, and choosing a file
// through the real open-file dialog to check its hash against the clipboard. Their rules (the
// fields, verdicts, progress) are the scenario tests' and the Win32 tests'; these prove the
// real program's wiring.
#include "app.h"
#include "platform/ids.h"

using namespace e2e;

namespace {

HWND OpenAbout(const App& app) {
    app.Choose("&About");
    HWND about = nullptr;
    // It shows before its texts are made; the notice comes last.
    WaitFor("the About window with its notice", [&] {
        about = app.Find("Digestorium About");
        return about && GetDlgItem(about, dg::AboutNoticeLabel);
    });
    return about;
}

} // namespace

// A second copy is refused, F1 hands over the manual, Alt+F4 ends the program.
E2E_CASE(StartUp) {
    App app;
    App second(App::Start::NoWait);
    WaitFor("the second copy to end", [&] {
        Require(!second.Find(MainTitle), "second copy's window", "none", "shown");
        return !second.Running();
    });
    second.AwaitExit("a refused start");

    app.Press(0, VK_F1);
    AwaitEqual("document handed over by F1", WorkPath(ManualFile), LastLaunchedDocument);
    app.Press(VK_MENU, VK_F4);
    app.AwaitExit("Alt+F4");
}

// Its OK button closes About and gives the commands back; Exit with it open ends the program.
E2E_CASE(About) {
    App app;
    HWND about = OpenAbout(app);
    Screenshot(about, "AboutWindow");
    app.Click(dg::AboutOkButton, about);
    WaitFor("the About window to close", [&] { return !IsWindow(about); });

    about = OpenAbout(app);
    app.Choose("E&xit");
    app.AwaitExit("Exit");
}

// Browse hashes the chosen file into the list; Ctrl+C checks it against the clipboard.
E2E_CASE(ChooseAndCheck) {
    App app;
    app.Click(dg::BrowseButton);
    app.AnswerFileDialog(WorkPath("files\\sample.txt"));
    app.AwaitStatus("File processing has been completed.  1 file listed.");
    Expect("rows", "sample.txt " + Digest("sample.txt"), app.Rows());

    SetClipboardText(Digest("sample.txt"));
    app.Press(VK_CONTROL, 'C');
    app.AwaitStatus("MD5 Match");
}
