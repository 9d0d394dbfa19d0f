// Input and event reading for the Qt backend's tests.
#pragma once

#include "platform/ids.h"

#include <vector>

namespace dg::test {

// Posted behind the input: WaitEvent returns it after everything the input caused.
constexpr auto Marker = static_cast<EventKind>(-1);

// What the events of that kind, up to a marker posted now, carry: the chosen menu items, or
// the types of the control's events.
std::vector<int> EventsUntilNow(EventKind kind, int control = -1);
// The key of a shortcut value to the focused widget.
void PressShortcut(int shortcut);

} // namespace dg::test
