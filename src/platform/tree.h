// The directory tree control: the computer's volumes and places (on Windows its drives and
// the documents folder), as folders read when first expanded. Its text (GetControlText,
// SetControlText of ui.h) is the path of the selected folder, ending with the platform's
// separator, or the empty text. Main thread only.
#pragma once

#include "platform/ui.h"

#include <string>

namespace dg {

// Creation flags: folders only, the documents node, the not-ready prompt, the program's look.
constexpr int TreeProgramFlags = 1;

// Creates the tree in the window and selects initialPath.
[[nodiscard]] bool CreateDirectoryTree(int window, int control, ControlRect rect,
                                       const std::string& initialPath, int flags);

} // namespace dg
