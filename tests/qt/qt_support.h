// Input for the Qt backend's tests.
#pragma once

namespace dg::test {

// The key of a shortcut value to the focused widget.
void PressShortcut(int shortcut);

} // namespace dg::test
