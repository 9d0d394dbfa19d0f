#include "actions/select_file_job.h"

#include "actions/progress_animator.h"
#include "hashing/file_digest.h"
#include "platform/ids.h"
#include "platform/system.h"
#include "platform/threads.h"
#include "platform/ui.h"
#include "shell/command_states.h"
#include "shell/job_state.h"

#include <string>

namespace dg {

namespace {

int SelectFileProgress(int job) {
    ProgressAnimator(job);
    return 0;
}

} // namespace

// The job frees the slot as it ends; a job that never started frees it here.
void StartSelectFileJob() {
    SelectFileThread = StartJob(SelectFileJob);
    if (SelectFileThread == 0)
        ReleaseJob();
}

int SelectFileJob(int) {
    const std::string initialPath = DocumentsFolderWithSeparator();
    DisableControl(BrowseButton, true);
    SetStatusText(StatusBar, 0, "Select file.");
    const std::string chosenPath =
        ChooseFileToOpen("Digestorium - Select File", initialPath, "All Files | *.*", 0);
    if (chosenPath.empty()) {
        SetStatusText(StatusBar, 0, "No file selected.  Please select file or list directory");
        EndJob();
        return 0;
    }

    LockCommands();
    // Without a thread for it the bar just stays hidden; the file is hashed all the same.
    (void)StartThread(SelectFileProgress, CurrentThreadNumber());
    const std::string fileName = FileNamePart(chosenPath);
    SetStatusText(StatusBar, 0,
                  "Processing file " + fileName +
                      ".  This may take a few moments.  Please wait...");
    SetControlText(FileField, fileName);
    const std::string hash = UpperCase(FileDigest(chosenPath));
    SetControlText(FileHashField, hash);
    SetControlText(FileHashLowerField, LowerCase(hash));
    AddListRow(ResultList, -1, fileName + '\n' + hash);
    SetStatusText(StatusBar, 0, "File processing has been completed.  1 file listed.");
    EndJob();
    return 0;
}

} // namespace dg
