// Text operations shared by every part of the program. Texts are byte strings in the
// system ANSI code page; case conversion depends on that code page, and paths on
// the platform's separator: both are the platform's.
#pragma once

#include <string>

namespace dg {

// Length in bytes.
[[nodiscard]] int Length(const std::string& text);

} // namespace dg
