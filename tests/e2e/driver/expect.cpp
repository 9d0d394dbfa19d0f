#include "expect.h"

#include "check.h"
#include "platform/ids.h"

#include <vector>

namespace e2e {

namespace {

struct Mismatch {
    std::string what;
    bool expected;
};

// The command states that differ from the expected ones.
std::vector<Mismatch> CommandMismatches(const App& app, bool locked, bool manualPresent) {
    std::vector<Mismatch> found;
    for (const MenuItem& item : app.Menu()) {
        const bool always = item.label.rfind("E&xit", 0) == 0;
        const bool manual = item.label.rfind("Digestorium Manual", 0) == 0;
        const bool greyed = manual ? !manualPresent : (locked && !always);
        if (item.greyed != greyed) {
            found.push_back({"greyed: menu item " + Quote(item.label), greyed});
        }
    }
    for (int control : {dg::BrowseButton, dg::CheckButton, dg::ListDirectoryButton,
                        dg::TextReportButton, dg::ResultList}) {
        if (app.Enabled(control) == locked) {
            found.push_back({Numbered("enabled: control ", control), !locked});
        }
    }
    return found;
}

} // namespace

void ExpectCommands(const App& app, bool locked, bool manualPresent) {
    // The commands change one by one, partly from a job's thread: wait for them to settle.
    std::vector<Mismatch> mismatches;
    WaitUntil(
        [&] {
            mismatches = CommandMismatches(app, locked, manualPresent);
            return mismatches.empty();
        },
        5000);
    for (const Mismatch& m : mismatches) {
        Fail(m.what, YesNo(m.expected), YesNo(!m.expected));
    }
}

void WaitIdle(const App& app) {
    // BrowseButton and ResultList come back last but for the shortcuts, which follow within
    // microseconds.
    const bool idle = WaitUntil(
        [&] { return app.Enabled(dg::BrowseButton) && app.Enabled(dg::ResultList); }, 10000);
    Require(idle, "BrowseButton and ResultList", "enabled again", "disabled");
}

void ExpectFrame(HWND window, bool minimizeBox) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const std::string title = Quote(App::Title(window));
    ExpectFlag(title + " has a system menu", true, (style & WS_SYSMENU) != 0);
    ExpectFlag(title + " has a minimize button", minimizeBox, (style & WS_MINIMIZEBOX) != 0);
    ExpectFlag(title + " has a maximize button", false, (style & WS_MAXIMIZEBOX) != 0);
    ExpectFlag(title + " can be resized", false, (style & WS_THICKFRAME) != 0);
}

void ExpectActive(const std::string& what, HWND window) {
    // Activation under Wine goes through the X server: it takes a moment.
    const bool active = WaitUntil([&] { return GetForegroundWindow() == window; }, 5000);
    ExpectFlag(what + " active", true, active);
}

void ExpectExitCode0(const App& app) {
    DWORD code = 0;
    Require(app.WaitExit(10000, &code), "process", "ended within 10 s", "still running");
    Expect("exit code", 0, code);
}

} // namespace e2e
