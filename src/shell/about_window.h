// AboutWindow: what the program is, a disclaimer and the notice line.
#pragma once

namespace dg {

// AboutWindow with its texts and OK button; false when the window could not be made.
// Main thread.
[[nodiscard]] bool OpenAboutWindow();

} // namespace dg
