// DirectoryWindow: the folder tree and the OK button that starts a listing.
#pragma once

namespace dg {

// DirectoryWindow with its tree at the documents folder; an open one is replaced. false when
// the window or its tree could not be made. Main thread.
[[nodiscard]] bool OpenDirectoryWindow();

} // namespace dg
