// The headless directory tree: the folder tree model behind a control of kind Tree, over the
// system's folder source. Its texts are the system's paths. Program thread, under the lock.
#pragma once

#include "platform/headless/world.h"

#include <string>

namespace dg::headless::detail {

// SetControlText: rebuilds and/or selects, as the real tree does.
void SetTreeText(ControlData& tree, const std::string& text);
// A click on the node of that path, "" being the computer node; a path without a node
// leaves the selection. True when the selection changed.
bool ClickTreePath(ControlData& tree, const std::string& path);

} // namespace dg::headless::detail
