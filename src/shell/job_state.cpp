#include "shell/job_state.h"

namespace dg {

std::atomic<int> SelectFileThread{0};

namespace {

std::atomic<bool> jobClaimed{false};

} // namespace

bool ClaimJob() {
    return !jobClaimed.exchange(true);
}

void ReleaseJob() {
    jobClaimed = false;
}

void ResetJobState() {
    SelectFileThread = 0;
    jobClaimed = false;
}

} // namespace dg
