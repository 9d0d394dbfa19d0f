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

void ExpectExitCode0(const App& app) {
    DWORD code = 0;
    Require(app.WaitExit(10000, &code), "process", "ended within 10 s", "still running");
    Expect("exit code", 0, code);
}

} // namespace e2e
