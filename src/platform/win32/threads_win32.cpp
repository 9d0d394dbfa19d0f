// Worker threads: native threads with a process-wide list of numbered handles.
#include "platform/threads.h"

#include <windows.h>

#include <mmsystem.h>

#include <mutex>
#include <vector>

namespace dg {
namespace {

struct ThreadEntry {
    HANDLE handle;
    int number;
};

struct ThreadStart {
    ThreadProcedure procedure;
    int value;
    void (*ended)();
};

std::mutex threadListLock;
std::vector<ThreadEntry> threadList;
int nextThreadNumber = 1;
ThreadHooks hooks;

bool HasEnded(HANDLE handle) {
    return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
}

DWORD WINAPI RunThread(LPVOID parameter) {
    ThreadStart start = *static_cast<ThreadStart*>(parameter);
    delete static_cast<ThreadStart*>(parameter);
    start.procedure(start.value);
    if (start.ended)
        start.ended();
    return 0;
}

} // namespace

void SetThreadHooks(ThreadHooks newHooks) {
    hooks = newHooks;
}

int StartThread(ThreadProcedure procedure, int value) {
    const ThreadHooks current = hooks;
    if (current.starting && !current.starting())
        return 0;
    auto* start = new ThreadStart{procedure, value, current.ended};
    HANDLE handle = CreateThread(nullptr, 0, RunThread, start, 0, nullptr);
    if (handle == nullptr) {
        delete start;
        if (current.ended)
            current.ended();
        return 0;
    }
    std::lock_guard<std::mutex> lock(threadListLock);
    std::erase_if(threadList, [](const ThreadEntry& entry) {
        if (!HasEnded(entry.handle)) {
            return false;
        }
        CloseHandle(entry.handle);
        return true;
    });
    int number = nextThreadNumber++;
    threadList.push_back({handle, number});
    return number;
}

int IsThreadRunning(int number) {
    // Waited on under the lock: once released, StartThread may close an ended thread's handle.
    std::lock_guard<std::mutex> lock(threadListLock);
    for (const ThreadEntry& entry : threadList) {
        if (entry.number == number) {
            return HasEnded(entry.handle) ? 0 : 1;
        }
    }
    return 0;
}

void Delay(int milliseconds) {
    timeBeginPeriod(1);
    Sleep(static_cast<DWORD>(milliseconds < 0 ? 0 : milliseconds));
    timeEndPeriod(1);
}

void ReleaseThreadList() {
    std::lock_guard<std::mutex> lock(threadListLock);
    for (const ThreadEntry& entry : threadList) {
        CloseHandle(entry.handle);
    }
    threadList.clear();
}

} // namespace dg
