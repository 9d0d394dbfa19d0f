// The parts of the desktop the cases set up or look at beside the program: the clipboard
// and the screen.
#pragma once

#include <string>

namespace e2e {

void SetClipboardText(const std::string& text);
void SetClipboardPicture();
void ClearClipboard();
// The clipboard's plain text, or the empty text.
std::string ClipboardText();

// Saves the whole screen as a 24-bit BMP file; false if it could not be written.
bool SaveScreenshot(const std::string& path);

} // namespace e2e
