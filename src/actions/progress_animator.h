// The activity indicator that the jobs show while they work.
#pragma once

namespace dg {

// Sweeps ProgressBar, one step every 100 ms, with WorkingLabel shown, while the numbered
// thread runs; then hides both and puts the bar back to 0. Runs on a worker thread of its own.
void ProgressAnimator(int watchedThread);

} // namespace dg
