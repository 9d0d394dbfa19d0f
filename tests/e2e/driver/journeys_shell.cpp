// Start-up, the single copy, the manual, the About window and the ways out. Their rules are
// the scenario tests' and the Win32 tests'; these prove the real program's wiring.
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
    bool window = false;
    WaitFor("the second copy to end", [&] {
        window = window || second.Find(MainTitle) != nullptr;
        return !second.Running();
    });
    Expect("windows of the second copy", 0, window);
    Expect("second copy's exit code", 0, second.AwaitExit());

    app.Press({}, VK_F1);
    AwaitEqual("document handed over by F1", WorkPath(ManualFile), LastLaunchedDocument);
    app.Press({VK_MENU}, VK_F4);
    Expect("exit code after Alt+F4", 0, app.AwaitExit());
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
    Expect("exit code after Exit", 0, app.AwaitExit());
}
