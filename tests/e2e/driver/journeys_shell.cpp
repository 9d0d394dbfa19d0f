// Start-up, the single copy, the manual, the About window and the ways out.
#include "app.h"
#include "platform/ids.h"

using namespace e2e;

namespace {

HWND OpenAbout(const App& app) {
    app.Choose("&Help", "&About");
    HWND about = nullptr;
    // It shows before its texts are made; the notice comes last.
    const bool shown = WaitFor("the About window with its notice", [&] {
        about = app.Find(AboutTitle);
        return about && GetDlgItem(about, dg::AboutNoticeLabel);
    });
    Require(shown, "About window", Quote(AboutTitle), "no such window");
    ExpectCommands(app, true);
    return about;
}

// Closed, About leaves MainWindow active with the commands back.
void ExpectAboutClosed(const App& app, HWND about) {
    ExpectFlag("About window gone", true,
               WaitFor("the About window to close", [&] { return !IsWindow(about); }));
    ExpectCommands(app, false);
    ExpectFlag("main window active", true, WaitFor("the main window to be active", [&] {
                   return GetForegroundWindow() == app.Main();
               }));
}

} // namespace

// The frame, the commands usable, a second copy refused, F1 hands over the manual, Alt+F4
// ends the program. The layout, texts and menus are the scenario tests' and the Win32 tests'.
E2E_CASE(StartUp) {
    App app;
    app.AwaitStatus(WelcomeStatus);
    // The frame: a close box and a minimize button, nothing to maximize or resize it with.
    Expect("window styles", WS_SYSMENU | WS_MINIMIZEBOX,
           GetWindowLongA(app.Main(), GWL_STYLE) &
               (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    ExpectCommands(app, false);

    App second(App::Start::NoWait);
    bool window = false;
    WaitFor("the second copy to end", [&] {
        window = window || second.Find(MainTitle) != nullptr;
        return !second.Running();
    });
    ExpectFlag("second copy showed a window", false, window);
    Expect("second copy's exit code", 0, second.AwaitExit());
    ExpectFlag("first copy running", true, app.Running());

    app.Press({}, VK_F1);
    AwaitEqual("document handed over by F1", WorkPath(ManualFile), LastLaunchedDocument);

    app.Press({VK_MENU}, VK_F4);
    Expect("exit code after Alt+F4", 0, app.AwaitExit());
}

// About locks the commands but the manual and Exit; its OK button and its close box close it;
// Exit with it open ends the program.
E2E_CASE(About) {
    App app;
    app.AwaitStatus(WelcomeStatus);
    HWND about = OpenAbout(app);
    Screenshot(about, "AboutWindow");
    ExpectFlag("About active", true, WaitFor("the About window to be active", [&] {
                   return GetForegroundWindow() == about;
               }));
    app.Click(dg::AboutOkButton, about);
    ExpectAboutClosed(app, about);

    about = OpenAbout(app);
    PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectAboutClosed(app, about);

    about = OpenAbout(app);
    app.Choose("&File", "E&xit");
    Expect("exit code after Exit", 0, app.AwaitExit());
    ExpectFlag("About window gone with the program", false, IsWindow(about) != FALSE);
}
