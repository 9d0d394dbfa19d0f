// Hashing every file directly in the chosen directory, with Cancel.
#pragma once

namespace dg {

// Starts DirectoryListingJob on ChosenDirectory (ListingThread) and its ProgressAnimator, with
// CancelButton already shown. The caller holds the job slot, which the job frees. Main thread.
void StartDirectoryListing();
// Lists ChosenDirectory's files, with the commands locked while it hashes, and ends with the
// count. Runs on its own worker thread (ListingThread); the value is not used.
int DirectoryListingJob(int value);
// The user's side of Cancel: names the file the listing finishes and disables CancelButton,
// unless the listing has ended. Runs on a worker thread of its own; the value is not used.
int CancelListingJob(int value);

} // namespace dg
