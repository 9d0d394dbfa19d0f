// Thread numbers from 1, never reused, over the backend's native threads.
#include "platform/portable/native_thread.h"
#include "platform/threads.h"

#include <mutex>
#include <utility>
#include <vector>

namespace dg {

namespace {

struct ThreadEntry {
    int number = 0;
    std::unique_ptr<NativeThread> thread;
};

std::mutex threadListLock;
std::vector<ThreadEntry> threadList;
int nextThreadNumber = 1;
ThreadHooks hooks;
thread_local int currentThreadNumber = 0;

} // namespace

void SetThreadHooks(ThreadHooks newHooks) {
    hooks = newHooks;
}

int StartThread(ThreadProcedure procedure, int value) {
    const ThreadHooks current = hooks;
    if (current.starting && !current.starting())
        return 0;
    int number = 0;
    {
        std::lock_guard<std::mutex> lock(threadListLock);
        number = nextThreadNumber++;
    }
    std::unique_ptr<NativeThread> thread = StartNativeThread([=] {
        currentThreadNumber = number;
        procedure(value);
        if (current.ended)
            current.ended();
    });
    if (!thread) {
        if (current.ended)
            current.ended();
        return 0;
    }
    std::lock_guard<std::mutex> lock(threadListLock);
    std::erase_if(threadList, [](const ThreadEntry& entry) { return entry.thread->Ended(); });
    threadList.push_back({number, std::move(thread)});
    return number;
}

bool IsThreadRunning(int number) {
    // Asked under the lock: once released, StartThread may release an ended thread's entry.
    std::lock_guard<std::mutex> lock(threadListLock);
    for (const ThreadEntry& entry : threadList)
        if (entry.number == number)
            return !entry.thread->Ended();
    return false;
}

void Delay(int milliseconds) {
    if (hooks.delaying)
        hooks.delaying(milliseconds);
    NativeDelay(milliseconds);
}

int CurrentThreadNumber() {
    return currentThreadNumber;
}

void ReleaseThreadList() {
    std::lock_guard<std::mutex> lock(threadListLock);
    threadList.clear();
}

} // namespace dg
