#include "shell/job_state.h"

#include <mutex>

namespace dg {

std::atomic<int> SelectFileThread{0};
std::atomic<int> ListingThread{0};
std::atomic<bool> CancelRequested{false};
std::string ChosenDirectory;

namespace {

enum class Slot { Free, Chooser, Job };

std::atomic<Slot> slot{Slot::Free};

std::mutex listedFileLock;
std::string listedFile;

bool MoveSlot(Slot from, Slot to) {
    return slot.compare_exchange_strong(from, to);
}

} // namespace

void SetCurrentListedFile(const std::string& name) {
    std::lock_guard<std::mutex> lock(listedFileLock);
    listedFile = name;
}

std::string CurrentListedFile() {
    std::lock_guard<std::mutex> lock(listedFileLock);
    return listedFile;
}

bool ClaimJob() {
    return MoveSlot(Slot::Free, Slot::Job);
}

bool ClaimChooser() {
    return MoveSlot(Slot::Free, Slot::Chooser) || slot == Slot::Chooser;
}

bool HandChooserToJob() {
    return MoveSlot(Slot::Chooser, Slot::Job);
}

bool ReleaseChooser() {
    return MoveSlot(Slot::Chooser, Slot::Free);
}

void ReleaseJob() {
    slot = Slot::Free;
}

void ResetJobState() {
    SelectFileThread = 0;
    ListingThread = 0;
    CancelRequested = false;
    ChosenDirectory.clear();
    SetCurrentListedFile("");
    slot = Slot::Free;
}

} // namespace dg
