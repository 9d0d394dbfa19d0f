// State that the shell shares with the jobs on their threads.
#pragma once

#include <atomic>

namespace dg {

// The thread running SelectFileJob, 0 for none. Written by the main thread as soon as
// StartThread returns.
extern std::atomic<int> SelectFileThread;

// One job at a time. Shortcuts queued while the main thread was busy can ask for a second
// job before the first has locked the commands; such a request is refused.
// True when the caller now holds the job slot. Main thread.
[[nodiscard]] bool ClaimJob();
// Frees the slot, before the job gives the commands back. Any thread.
void ReleaseJob();
// Forgets every job, at start-up. Main thread.
void ResetJobState();

} // namespace dg
