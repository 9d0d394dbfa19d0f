#include "actions/directory_listing_job.h"

#include "actions/progress_animator.h"
#include "hashing/file_digest.h"
#include "platform/directory_scan.h"
#include "platform/ids.h"
#include "platform/system.h"
#include "platform/threads.h"
#include "platform/ui.h"
#include "shell/command_states.h"
#include "shell/job_state.h"

#include <mutex>
#include <string>

namespace dg {

namespace {

constexpr int ListingScan = 0;
constexpr int EntryPause = 22;

// A cancel's message and the listing's ending never interleave: the count message stays the
// last, and CancelButton ends enabled.
std::mutex endingLock;
bool listingEnded = true;

void MarkListingEnded(bool ended) {
    std::lock_guard<std::mutex> lock(endingLock);
    listingEnded = ended;
}

int ListingProgress(int job) {
    ProgressAnimator(job);
    return 0;
}

std::string CountText(int count) {
    const std::string digits = std::to_string(count);
    if (count == 0)
        return "Directory is empty or files cannot be listed - " + digits +
               " files listed.  Please select file or list directory.";
    return "Directory listing operation has been completed - " + digits +
           (count == 1 ? " file listed." : " files listed.");
}

// The scan is open. Returns the number of files listed.
int ListFiles(const std::string& directory) {
    LockCommands();
    int count = 0;
    while (NextDirectoryEntry(ListingScan)) {
        if (DirectoryEntryType(ListingScan) == EntryFile) {
            const std::string name = DirectoryEntryName(ListingScan);
            SetCurrentListedFile(name);
            ++count;
            SetStatus("Processing file " + name);
            // A file gone or locked since the scan saw it is listed without a hash.
            const std::string hash = UpperCase(FileDigest(directory + name));
            AddListRow(ResultList, -1, name + '\n' + hash);
            if (CancelRequested)
                break;
        }
        Delay(EntryPause);
    }
    CloseDirectoryScan(ListingScan);
    return count;
}

} // namespace

void StartDirectoryListing() {
    // A cancel before the first file must not name a file of an earlier listing.
    SetCurrentListedFile("");
    MarkListingEnded(false);
    ListingThread = StartJob(DirectoryListingJob);
    if (ListingThread == 0) {
        MarkListingEnded(true);
        HideControl(CancelButton, true);
        ReleaseJob();
        return;
    }
    // Without a thread for it the bar just stays hidden; the files are listed all the same.
    (void)StartThread(ListingProgress, ListingThread);
}

int DirectoryListingJob(int) {
    const std::string directory = ChosenDirectory;
    const bool opened = OpenDirectoryScan(ListingScan, directory, "*.*");
    const int count = opened ? ListFiles(directory) : 0;
    MarkListingEnded(true);
    SetStatus(opened ? CountText(count)
                     : "Unable to list directory " + directory + " - Special system folder.");
    EndJob();
    HideControl(CancelButton, true);
    DisableControl(CancelButton, false);
    return 0;
}

int CancelListingJob(int) {
    std::lock_guard<std::mutex> lock(endingLock);
    if (listingEnded || !IsThreadRunning(ListingThread))
        return 0;
    const std::string file = CurrentListedFile();
    SetStatus(file.empty()
                  ? "Finishing processing and cancelling.  Please wait..."
                  : "Finishing processing of " + file + " and cancelling.  Please wait...");
    DisableControl(CancelButton, true);
    return 0;
}

} // namespace dg
