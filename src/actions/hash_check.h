// Checking the selected file's hash against the clipboard.
#pragma once

namespace dg {

// Compares FileHashField with the clipboard's text and shows the verdict. Main thread.
void HashCheck();

} // namespace dg
