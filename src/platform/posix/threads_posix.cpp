// Native threads for the Linux build: the entry keeps a flag that the thread sets as its
// last act, in the part of the Win32 thread handle.
#include "platform/portable/native_thread.h"

#include <atomic>
#include <chrono>
#include <system_error>
#include <thread>

namespace dg {

namespace {

class PosixThread final : public NativeThread {
public:
    explicit PosixThread(std::shared_ptr<std::atomic<bool>> ended) : ended_(std::move(ended)) {}
    [[nodiscard]] bool Ended() const override { return ended_->load(); }

private:
    std::shared_ptr<std::atomic<bool>> ended_;
};

} // namespace

std::unique_ptr<NativeThread> StartNativeThread(std::function<void()> body) {
    auto ended = std::make_shared<std::atomic<bool>>(false);
    try {
        std::thread([body = std::move(body), ended] {
            body();
            ended->store(true);
        }).detach();
    } catch (const std::system_error&) {
        return nullptr;
    }
    return std::make_unique<PosixThread>(std::move(ended));
}

void NativeDelay(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace dg
