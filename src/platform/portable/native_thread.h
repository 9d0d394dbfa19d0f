// The one thing a backend provides for worker threads: starting a native thread. Numbering,
// the thread list and the test hooks are the same for every backend (threads_portable.cpp).
#pragma once

#include <functional>
#include <memory>

namespace dg {

// A started thread as the thread list holds it. Destroying it releases the native handle
// without stopping the thread.
class NativeThread {
public:
    virtual ~NativeThread() = default;
    // The thread has returned from its body. Any thread.
    [[nodiscard]] virtual bool Ended() const = 0;
};

// Runs body on a new native thread; null when none could be made. Any thread.
[[nodiscard]] std::unique_ptr<NativeThread> StartNativeThread(std::function<void()> body);
// Sleeps the calling thread. Any thread.
void NativeDelay(int milliseconds);

} // namespace dg
