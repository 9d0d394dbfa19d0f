// Worker threads for the native build. A thread's entry keeps a flag that the thread sets
// as its last act; the entry plays the part of the Win32 thread handle.
#include "platform/threads.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace dg {

namespace {

struct ThreadEntry {
    int number = 0;
    std::shared_ptr<std::atomic<bool>> ended;
};

std::mutex threadListLock;
std::vector<ThreadEntry> threadList;
int nextThreadNumber = 1;
ThreadHooks hooks;

} // namespace

void SetThreadHooks(ThreadHooks newHooks) {
    hooks = newHooks;
}

int StartThread(ThreadProcedure procedure, int value) {
    const ThreadHooks current = hooks;
    if (current.starting && !current.starting())
        return 0;
    auto ended = std::make_shared<std::atomic<bool>>(false);
    try {
        std::thread([procedure, value, ended, current] {
            procedure(value);
            ended->store(true);
            if (current.ended)
                current.ended();
        }).detach();
    } catch (const std::system_error&) {
        if (current.ended)
            current.ended();
        return 0;
    }
    std::lock_guard<std::mutex> lock(threadListLock);
    std::erase_if(threadList, [](const ThreadEntry& entry) { return entry.ended->load(); });
    const int number = nextThreadNumber++;
    threadList.push_back({number, std::move(ended)});
    return number;
}

int IsThreadRunning(int number) {
    std::shared_ptr<std::atomic<bool>> ended;
    {
        std::lock_guard<std::mutex> lock(threadListLock);
        for (const ThreadEntry& entry : threadList)
            if (entry.number == number)
                ended = entry.ended;
    }
    return ended && !ended->load() ? 1 : 0;
}

void Delay(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void ReleaseThreadList() {
    std::lock_guard<std::mutex> lock(threadListLock);
    threadList.clear();
}

} // namespace dg
