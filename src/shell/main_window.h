// MainWindow's manual rule, shared by the commands that open or offer the manual.
#pragma once

#include <string>

namespace dg {

// The manual in the current working directory, at the moment of asking. Any thread.
[[nodiscard]] std::string ManualPath();
// Something exists at the manual path. Any thread.
[[nodiscard]] bool ManualPresent();

} // namespace dg
