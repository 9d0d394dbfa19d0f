// Text operations shared by every part of the program. Texts are byte strings in the
// system ANSI code page.
#pragma once

#include "platform/ids.h"

#include <string>

namespace dg {

[[nodiscard]] std::string UpperCase(const std::string& text);
[[nodiscard]] std::string LowerCase(const std::string& text);
// Length in bytes.
[[nodiscard]] int Length(const std::string& text);
// The text after the last backslash or slash; the whole text when it has neither.
[[nodiscard]] std::string FileNamePart(const std::string& path);
// The path of a shell special folder, the empty text when it cannot be had. Need not end
// with a backslash.
[[nodiscard]] std::string SpecialFolderPath(int folder);
// The documents folder ending with a backslash; a lone backslash when it cannot be had.
[[nodiscard]] std::string DocumentsFolderWithBackslash();

} // namespace dg
