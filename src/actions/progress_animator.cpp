#include "actions/progress_animator.h"

#include "platform/ids.h"
#include "platform/threads.h"
#include "platform/ui.h"

namespace dg {

namespace {

constexpr int StepPause = 100;
constexpr int BarEnd = 100;

} // namespace

void ProgressAnimator(int watchedThread) {
    HideControl(ProgressBar, false);
    HideControl(WorkingLabel, false);
    // The first step comes at once, even when the job has already ended.
    do {
        const int value = GetControlState(ProgressBar);
        SetControlState(ProgressBar, value < BarEnd ? value + 1 : 0);
        Delay(StepPause);
    } while (IsThreadRunning(watchedThread));
    HideControl(ProgressBar, true);
    HideControl(WorkingLabel, true);
    SetControlState(ProgressBar, 0);
}

} // namespace dg
