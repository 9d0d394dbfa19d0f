#include "platform/win32/wow64.h"

#include <windows.h>

namespace dg {

namespace {

using DisableFunction = BOOL(WINAPI*)(PVOID*);
using RevertFunction = BOOL(WINAPI*)(PVOID);

// Looked up at run time: older systems have no such functions.
template <typename Function> Function Kernel32Function(const char* name) {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel == nullptr
               ? nullptr
               : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel, name)));
}

} // namespace

FileSystemRedirectionOff::FileSystemRedirectionOff() {
    static const auto disable = Kernel32Function<DisableFunction>("Wow64DisableWow64FsRedirection");
    if (disable != nullptr)
        disabled_ = disable(&oldValue_) != FALSE;
}

FileSystemRedirectionOff::~FileSystemRedirectionOff() {
    static const auto revert = Kernel32Function<RevertFunction>("Wow64RevertWow64FsRedirection");
    if (disabled_ && revert != nullptr)
        revert(oldValue_);
}

} // namespace dg
