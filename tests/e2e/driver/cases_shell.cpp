// Start-up, the single copy, the menus, the manual, the About window, Clear List and the
// three ways out.
#include "app.h"
#include "cases.h"
#include "check.h"
#include "expect.h"
#include "platform/ids.h"

#include <fstream>

using namespace e2e;

namespace {

struct Placed {
    int control;
    Rect rect;
    const char* text;
};

// The main window's controls where a user sees them, in client coordinates.
const Placed MainControls[] = {
    {dg::FileField, {15, 10, 458, 20}, ""},
    {dg::FileHashField, {15, 40, 223, 20}, ""},
    {dg::CheckHashField, {15, 70, 223, 20}, ""},
    {dg::BrowseButton, {483, 10, 35, 20}, "---"},
    {dg::FileHashLabel, {483, 40, 50, 20}, "File MD5"},
    {dg::CheckHashLabel, {483, 70, 60, 20}, "Check MD5"},
    {dg::ResultList, {15, 100, 528, 95}, nullptr},
    {dg::FileHashLowerField, {250, 40, 223, 20}, ""},
    {dg::VerdictField, {250, 70, 223, 20}, ""},
    {dg::CheckButton, {15, 205, 135, 20}, "MD5 Check"},
    {dg::ProgressBar, {67, 230, 477, 10}, nullptr},
    {dg::ListDirectoryButton, {216, 205, 135, 20}, "List Directory"},
    {dg::TextReportButton, {409, 205, 135, 20}, "List to Text File"},
    {dg::CancelButton, {216, 205, 135, 20}, "Cancel"},
    {dg::WorkingLabel, {15, 229, 50, 15}, "Working..."},
};

const MenuItem MainMenu[] = {
    {"&File", "Select &File\tCtrl+F"},         {"&File", "List &Directory\tCtrl+D"},
    {"&File", "MD5 &Check\tCtrl+C"},           {"&File", "List to &Text File\tCtrl+T"},
    {"&File", "List to CS&V File\tCtrl+V"},    {"&File", "List to HTML File\tCtrl+H"},
    {"&File", "Clear List\tCtrl+L"},           {"&File", "E&xit\tAlt+F4"},
    {"&Help", "Digestorium Manual (PDF)\tF1"}, {"&Help", "&About"},
};

constexpr const char* ManualName = "digestorium_manual.pdf";
constexpr const char* ClearedStatus = "List cleared.  Please select file or list directory.";

bool Hidden(int control) {
    return control == dg::CancelButton || control == dg::ProgressBar || control == dg::WorkingLabel;
}

// A working directory holding the manual.
std::string ManualFolder() {
    const std::string folder = Work("with-manual");
    std::ofstream(folder + "\\" + ManualName) << "%PDF-1.4\n%%EOF\n";
    return folder;
}

void ExpectAboutWindow(const App& app, HWND about) {
    Expect("About title", AboutTitle, App::Title(about));
    ExpectFlag("About always on top", true, App::Topmost(about));
    ExpectActive("About", about);
    ExpectFrame(about, false);
    Expect("About inner size", "0, 0, 402 x 183", Describe(App::ClientRect(about)));
    const std::string lines[] = {
        "Digestorium is a utility program to generate and check file MD5 Hashes.  This",
        "software is provided as Freeware on an \x91"
        "as is\x92 basis, without any express or "
        "implied ",
        "warranty.  In no event shall the author be liable for any claim, damages or other ",
        "liability, arising from, out of, or in connection with the software or the use or ",
        "dealings in the software.",
    };
    for (int i = 0; i < 5; ++i) {
        Expect(Numbered("About line ", i + 1), lines[i],
               App::Text(app.Control(dg::AboutTextLine1 + i, about)));
    }
    Expect("About OK button", "OK", App::Text(app.Control(dg::AboutOkButton, about)));
    const std::string notice = App::Text(app.Control(dg::AboutNoticeLabel, about));
    ExpectFlag("notice " + Quote(notice) + " starts with the circled c (0xA9)", true,
               !notice.empty() && notice[0] == '\xA9');
    ExpectFlag("notice " + Quote(notice) + " names The Digestorium developers", true,
               notice.find("The Digestorium developers") != std::string::npos);
    ExpectFlag("notice " + Quote(notice) + " has Website", true,
               notice.find("Website") != std::string::npos);
}

HWND OpenAbout(const App& app) {
    app.ChooseMenu("&Help", "&About");
    HWND about = app.WaitWindow(AboutTitle, 10000);
    Require(about != nullptr, "About window", Quote(AboutTitle), "no such window");
    // It shows before its texts are made; the notice comes last.
    Require(WaitUntil([&] { return GetDlgItem(about, dg::AboutNoticeLabel) != nullptr; }, 5000),
            "About notice", "present", "missing");
    return about;
}

// Opens About from the Help menu, checks it and the locked commands, then closes it with
// close and checks the commands are back.
template <class Close> void AboutRoundTrip(Close close) {
    App app(Work("run"));
    app.WaitStatus(WelcomeStatus, 10000);
    HWND about = OpenAbout(app);
    ExpectAboutWindow(app, about);
    ExpectCommands(app, true, false);

    close(app, about);
    Require(app.WaitGone(about, 10000), "About window", "closed", "still open");
    ExpectCommands(app, false, false);
    ExpectActive("main window", app.Main());
    ExpectFlag("About window exists", false, IsWindow(about) != FALSE);
}

} // namespace

E2E_CASE(StartUp) {
    App app(Work("run"));
    Expect("title", MainTitle, App::Title(app.Main()));
    Expect("status", WelcomeStatus, app.WaitStatus(WelcomeStatus, 10000));
    Expect("inner size", "0, 0, 560 x 295", Describe(App::ClientRect(app.Main())));
    ExpectFrame(app.Main(), true);
    ExpectActive("main window", app.Main());
    for (const Placed& p : MainControls) {
        const std::string name = Numbered("control ", p.control);
        Expect(name + " at", Describe(p.rect), Describe(App::RectInParent(app.Control(p.control))));
        ExpectFlag(name + " visible", !Hidden(p.control), app.Visible(p.control));
        if (p.text) {
            Expect(name + " text", p.text, app.Text(p.control));
        }
    }
    Expect("column 0 title", "File Name", app.ColumnTitle(0));
    Expect("column 1 title", "MD5", app.ColumnTitle(1));
    Expect("rows", 0, app.Rows());
    Expect("progress", 0, app.Progress());

    const auto menu = app.Menu();
    Expect("menu items", std::size(MainMenu), menu.size());
    for (size_t i = 0; i < menu.size() && i < std::size(MainMenu); ++i) {
        Expect(Numbered("menu item ", i), MainMenu[i].menu + " / " + MainMenu[i].label,
               menu[i].menu + " / " + menu[i].label);
    }
    ExpectCommands(app, false, false);
}

E2E_CASE(SecondCopyEndsAtOnce) {
    App first(Work("run"));
    first.WaitStatus(WelcomeStatus, 10000);
    App second(Work("run"), App::Start::NoWait);
    bool window = false;
    WaitUntil(
        [&] {
            window = window || second.FindTop(MainTitle) != nullptr;
            return !second.Running();
        },
        10000);
    ExpectFlag("second copy showed a window", false, window);
    ExpectExitCode0(second);
    ExpectFlag("first copy running", true, first.Running());
    ExpectFlag("first copy's main window", true, IsWindowVisible(first.Main()) != FALSE);
    Expect("first copy's status", WelcomeStatus, first.Status());
}

E2E_CASE(ManualAbsent) {
    ForgetLaunchedDocuments();
    App app(Work("run"));
    app.WaitStatus(WelcomeStatus, 10000);
    ExpectFlag("manual item greyed", true,
               app.FindMenuItem("&Help", "Digestorium Manual (PDF)").greyed);
    // F1 first, then Ctrl+L: once the list is cleared, F1 has been handled.
    app.Press(app.Main(), {}, VK_F1);
    app.Press(app.Main(), {VK_CONTROL}, 'L');
    Expect("status after F1, Ctrl+L", ClearedStatus, app.WaitStatus(ClearedStatus, 10000));
    WaitUntil([] { return !LaunchedDocuments().empty(); }, QuietMs);
    Expect("documents opened", 0, LaunchedDocuments().size());
}

E2E_CASE(ManualPresent) {
    ForgetLaunchedDocuments();
    const std::string folder = ManualFolder();
    const std::string manual = folder + "\\" + ManualName;
    App app(folder);
    app.WaitStatus(WelcomeStatus, 10000);
    ExpectFlag("manual item greyed", false,
               app.FindMenuItem("&Help", "Digestorium Manual (PDF)").greyed);
    ExpectCommands(app, false, true);

    app.ChooseMenu("&Help", "Digestorium Manual (PDF)");
    WaitUntil([] { return LaunchedDocuments().size() >= 1; }, 10000);
    app.Press(app.Main(), {}, VK_F1);
    WaitUntil([] { return LaunchedDocuments().size() >= 2; }, 10000);
    const auto documents = LaunchedDocuments();
    Expect("documents opened by the menu item and F1", 2, documents.size());
    for (const std::string& document : documents) {
        Expect("document opened", manual, document);
    }
    ExpectFlag("program running", true, app.Running());
}

E2E_CASE(AboutClosedByOk) {
    AboutRoundTrip([](const App& app, HWND about) { app.Click(dg::AboutOkButton, about); });
}

E2E_CASE(AboutClosedByCloseBox) {
    AboutRoundTrip([](const App&, HWND about) { App::CloseBox(about); });
}

E2E_CASE(AboutLeavesManualAndExit) {
    ForgetLaunchedDocuments();
    App app(ManualFolder());
    app.WaitStatus(WelcomeStatus, 10000);
    HWND about = OpenAbout(app);
    ExpectCommands(app, true, true);
    // F1 is gone with the other shortcuts, but the manual's menu item still acts.
    app.Press(app.Main(), {}, VK_F1);
    app.ChooseMenu("&Help", "Digestorium Manual (PDF)");
    WaitUntil([] { return LaunchedDocuments().size() >= 1; }, 10000);
    WaitUntil([] { return LaunchedDocuments().size() >= 2; }, QuietMs);
    Expect("documents opened by F1 and the menu item", 1, LaunchedDocuments().size());
    // So does Exit, and About goes with the program.
    app.ChooseMenu("&File", "E&xit");
    ExpectExitCode0(app);
    ExpectFlag("About window exists", false, IsWindow(about) != FALSE);
}

E2E_CASE(ClearListStatus) {
    App app(Work("run"));
    app.WaitStatus(WelcomeStatus, 10000);
    app.ChooseMenu("&File", "Clear List");
    Expect("status", ClearedStatus, app.WaitStatus(ClearedStatus, 10000));
}

E2E_CASE(ExitByMenu) {
    App app(Work("run"));
    app.WaitStatus(WelcomeStatus, 10000);
    app.ChooseMenu("&File", "E&xit");
    ExpectExitCode0(app);
}

E2E_CASE(ExitByCloseBox) {
    App app(Work("run"));
    app.WaitStatus(WelcomeStatus, 10000);
    App::CloseBox(app.Main());
    ExpectExitCode0(app);
}

E2E_CASE(ExitByAltF4) {
    App app(Work("run"));
    app.WaitStatus(WelcomeStatus, 10000);
    app.Press(app.Main(), {VK_MENU}, VK_F4);
    ExpectExitCode0(app);
}
