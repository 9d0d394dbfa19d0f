// Text operations shared by every part of the program. Texts are byte strings in the
// system ANSI code page; case conversion depends on that code page and is the platform's.
#pragma once

#include <string>

namespace dg {

// Length in bytes.
[[nodiscard]] int Length(const std::string& text);
// The text after the last backslash or slash; the whole text when it has neither.
[[nodiscard]] std::string FileNamePart(const std::string& path);

} // namespace dg
