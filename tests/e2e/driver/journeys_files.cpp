// Choosing a file through the real open-file dialog and checking its hash against the
// clipboard. The fields, verdicts and progress are the scenario tests'.
#include "app.h"
#include "platform/ids.h"

using namespace e2e;

E2E_CASE(ChooseAndCheck) {
    App app;
    app.Click(dg::BrowseButton);
    app.AnswerFileDialog(WorkPath("files\\sample.txt"));
    app.AwaitStatus("File processing has been completed.  1 file listed.");
    Expect("rows", "sample.txt " + Digest("sample.txt"), app.Rows());

    SetClipboardText(Digest("sample.txt"));
    app.Press({VK_CONTROL}, 'C');
    app.AwaitStatus("MD5 Match");
}
