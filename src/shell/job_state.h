// State that the shell shares with the jobs on their threads.
#pragma once

#include <atomic>
#include <string>

namespace dg {

// The threads running SelectFileJob and DirectoryListingJob, 0 for none. Written by the main
// thread as soon as StartThread returns.
extern std::atomic<int> SelectFileThread;
extern std::atomic<int> ListingThread;
// Set once CancelButton was pressed, cleared again by the next listing command.
extern std::atomic<bool> CancelRequested;
// The directory to list. Written by the main thread before the listing job starts, read by
// the job; no two listings run at once.
extern std::string ChosenDirectory;

// The name of the file the listing is at: "" from the start of a listing until its first
// file. Any thread; the name read is always one whole name.
void SetCurrentListedFile(const std::string& name);
[[nodiscard]] std::string CurrentListedFile();

// One job at a time, and none while the directory chooser is open. Shortcuts queued while
// the main thread was busy can ask for a second job, or a chooser, before the commands are
// locked; such a request is refused. The chooser holds the slot while open and hands it to
// the listing it starts.
// True when the caller now holds the slot for a job. Main thread.
[[nodiscard]] bool ClaimJob();
// True when the slot is free or already the chooser's: a new chooser replaces the open one.
// Main thread.
[[nodiscard]] bool ClaimChooser();
// The chooser's slot becomes the job's; false when the chooser did not hold it. Main thread.
[[nodiscard]] bool HandChooserToJob();
// The chooser's slot is free again; false when the chooser did not hold it. Main thread.
[[nodiscard]] bool ReleaseChooser();
// Frees the slot, before the job or the chooser gives the commands back. Any thread.
void ReleaseJob();
// Forgets every job, at start-up. Main thread.
void ResetJobState();

} // namespace dg
