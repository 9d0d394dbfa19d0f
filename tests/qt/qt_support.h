// Input for the Qt backend's tests, and what they read back from its widgets. Main thread.
#pragma once

#include <QPalette>

namespace dg::test {

// Null while the control does not exist.
[[nodiscard]] QWidget* Widget(int control);
// The key of a shortcut value to the focused widget.
void PressShortcut(int shortcut);
// A left click on a row of ResultList; -1 clicks below the rows, each time at another point,
// so that two clicks make no double click.
void ClickListRow(int row);
// The colour the field is drawn in now, for the role, as a colour value.
[[nodiscard]] int FieldColour(int field, QPalette::ColorRole role);

} // namespace dg::test
