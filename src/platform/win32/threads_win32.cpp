// Native threads: a thread handle owned by the thread list's entry.
#include "platform/portable/native_thread.h"

#include <windows.h>

#include <mmsystem.h>

namespace dg {

namespace {

class Win32Thread final : public NativeThread {
public:
    explicit Win32Thread(HANDLE handle) : handle_(handle) {}
    ~Win32Thread() override { CloseHandle(handle_); }
    Win32Thread(const Win32Thread&) = delete;
    Win32Thread& operator=(const Win32Thread&) = delete;
    [[nodiscard]] bool Ended() const override {
        return WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0;
    }

private:
    HANDLE handle_;
};

DWORD WINAPI RunThread(LPVOID parameter) {
    const std::unique_ptr<std::function<void()>> body(
        static_cast<std::function<void()>*>(parameter));
    (*body)();
    return 0;
}

} // namespace

std::unique_ptr<NativeThread> StartNativeThread(std::function<void()> body) {
    auto* parameter = new std::function<void()>(std::move(body));
    HANDLE handle = CreateThread(nullptr, 0, RunThread, parameter, 0, nullptr);
    if (handle == nullptr) {
        delete parameter;
        return nullptr;
    }
    return std::make_unique<Win32Thread>(handle);
}

void NativeDelay(int milliseconds) {
    timeBeginPeriod(1);
    Sleep(static_cast<DWORD>(milliseconds < 0 ? 0 : milliseconds));
    timeEndPeriod(1);
}

} // namespace dg
