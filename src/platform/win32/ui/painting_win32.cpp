// Painting held back within a burst of changes (see ui_win32.h).
#include "ui_win32.h"

#include <algorithm>
#include <vector>

namespace dg::win32 {
namespace {

constexpr UINT_PTR PaintTimer = 1;
constexpr UINT PaintTickMs = 100;

struct HeldControl {
    HWND control;
    HWND topLevel;
    DWORD since;
    DWORD catchUpMs;
};

struct Burst {
    HWND topLevel;
    DWORD lastChange;
};

// Main thread only.
std::vector<HeldControl> held;
std::vector<Burst> bursts;

std::vector<Burst>::iterator FindBurst(HWND topLevel) {
    return std::find_if(bursts.begin(), bursts.end(),
                        [&](const Burst& burst) { return burst.topLevel == topLevel; });
}

bool IsHeld(HWND control) {
    return std::any_of(held.begin(), held.end(),
                       [&](const HeldControl& entry) { return entry.control == control; });
}

void Paint(HWND control) {
    SendMessageA(control, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

} // namespace

void BeforeCostlyPaint(HWND control, DWORD catchUpMs) {
    HWND topLevel = GetAncestor(control, GA_ROOT);
    if (topLevel == nullptr || !IsWindowVisible(topLevel))
        return;
    const DWORD now = GetTickCount();
    auto burst = FindBurst(topLevel);
    if (burst == bursts.end()) {
        // The first change of a burst is painted as it is made.
        bursts.push_back({topLevel, now});
        SetTimer(topLevel, PaintTimer, PaintTickMs, nullptr);
        return;
    }
    burst->lastChange = now;
    if (!IsHeld(control)) {
        SendMessageA(control, WM_SETREDRAW, FALSE, 0);
        held.push_back({control, topLevel, now, catchUpMs});
    }
}

void PaintHeld(HWND control) {
    auto entry = std::find_if(held.begin(), held.end(),
                              [&](const HeldControl& each) { return each.control == control; });
    if (entry != held.end()) {
        held.erase(entry);
        Paint(control);
    }
}

bool OnPaintTick(HWND topLevel, WPARAM timer) {
    if (timer != PaintTimer)
        return false;
    const DWORD now = GetTickCount();
    bool holding = false;
    for (auto entry = held.begin(); entry != held.end();) {
        if (entry->topLevel == topLevel && now - entry->since >= entry->catchUpMs) {
            const HWND control = entry->control;
            entry = held.erase(entry);
            Paint(control);
        } else {
            holding = holding || entry->topLevel == topLevel;
            ++entry;
        }
    }
    auto burst = FindBurst(topLevel);
    if (!holding && (burst == bursts.end() || now - burst->lastChange >= PaintTickMs)) {
        KillTimer(topLevel, PaintTimer);
        if (burst != bursts.end())
            bursts.erase(burst);
    }
    return true;
}

void ForgetHeldPainting(HWND topLevel) {
    std::erase_if(held, [&](const HeldControl& entry) { return entry.topLevel == topLevel; });
    std::erase_if(bursts, [&](const Burst& burst) { return burst.topLevel == topLevel; });
}

} // namespace dg::win32
