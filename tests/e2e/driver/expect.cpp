#include "expect.h"

#include "check.h"
#include "platform/ids.h"

namespace e2e {

void ExpectCommands(const App& app, bool locked, bool manualPresent) {
    for (const MenuItem& item : app.Menu()) {
        const bool always = item.label.rfind("E&xit", 0) == 0;
        const bool manual = item.label.rfind("Digestorium Manual", 0) == 0;
        const bool greyed = manual ? !manualPresent : (locked && !always);
        ExpectFlag("greyed: menu item " + Quote(item.label), greyed, item.greyed);
    }
    for (int control : {dg::BrowseButton, dg::CheckButton, dg::ListDirectoryButton,
                        dg::TextReportButton, dg::ResultList}) {
        ExpectFlag(Numbered("enabled: control ", control), !locked, app.Enabled(control));
    }
}

void ExpectFrame(HWND window, bool minimizeBox) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const std::string title = Quote(App::Title(window));
    ExpectFlag(title + " has a system menu", true, (style & WS_SYSMENU) != 0);
    ExpectFlag(title + " has a minimize button", minimizeBox, (style & WS_MINIMIZEBOX) != 0);
    ExpectFlag(title + " has a maximize button", false, (style & WS_MAXIMIZEBOX) != 0);
    ExpectFlag(title + " can be resized", false, (style & WS_THICKFRAME) != 0);
}

void ExpectExitCode0(const App& app) {
    DWORD code = 0;
    Require(app.WaitExit(10000, &code), "process", "ended within 10 s", "still running");
    Expect("exit code", 0, code);
}

} // namespace e2e
