// Shell state that the jobs read on their own threads.
#pragma once

#include <atomic>

namespace dg {

// The thread running SelectFileJob, 0 for none. Written by the main thread as soon as
// StartThread returns; read by the job's ProgressAnimator.
extern std::atomic<int> SelectFileThread;

} // namespace dg
