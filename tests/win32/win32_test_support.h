// Real windows for the Win32 backend tests: event pumping with a time limit, control handles
// and files deep in the temporary folder.
#pragma once

#include "contract/contract.h"

#include "platform/files.h"
#include "platform/ids.h"
#include "platform/system.h"
#include "platform/threads.h"
#include "platform/ui.h"
#include "platform/win32/ui/ui_win32.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace dg::test {

// Runs WaitEvent until the condition holds or the time is up; a thread timer keeps WaitEvent
// from blocking for good. Returns the events of the three kinds the logic acts on.
using Seen = contract::Events;

inline Seen PumpEvents(int milliseconds, const std::function<bool(const Seen&)>& done = nullptr) {
    Seen seen;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);
    DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(milliseconds)) {
        EventKind kind = WaitEvent();
        // A raw message that shares a number with an event kind names no window.
        if ((kind == EventControl || kind == EventMenu || kind == EventCloseWindow) &&
            EventWindowNumber() >= 0)
            seen.push_back({kind, EventControlNumber(), EventWindowNumber(), EventType()});
        if (done && done(seen))
            break;
    }
    KillTimer(nullptr, timer);
    return seen;
}

// What md5sum prints for the three bytes "abc".
constexpr char AbcDigest[] = "900150983cd24fb0d6963f7d28e17f72";

// A new file holding "abc", its path pathBytes long, in a new folder under the temporary one
// whose path, final backslash included, is folderBytes long. The folders are made behind
// "\\?\", which takes any length; the temporary path is ASCII.
inline std::string DeepFile(std::size_t folderBytes, std::size_t pathBytes) {
    static int made = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string path = std::string(temp) + "dg_long_" + std::to_string(GetTickCount()) + "_" +
                       std::to_string(++made);
    while (true) {
        CreateDirectoryW((L"\\\\?\\" + std::wstring(path.begin(), path.end())).c_str(), nullptr);
        path += '\\';
        if (path.size() >= folderBytes)
            break;
        const std::size_t left = folderBytes - path.size();
        path.append(left <= 32 ? left - 1 : 30, 'd');
    }
    path.resize(pathBytes, 'f');
    OutputFile file(path);
    file.Write("abc");
    EXPECT_TRUE(file.Close()) << path;
    return path;
}

inline HWND ControlHandle(int control) {
    const win32::ControlEntry* entry = win32::FindControl(control);
    return entry != nullptr ? entry->hwnd.load() : nullptr;
}

using WindowTest = contract::PlatformTest;

} // namespace dg::test
