// The MD5 digest of a file's contents.
#pragma once

#include <string>

namespace dg {

// 32 lower-case hexadecimal digits, or the empty text when the file cannot be opened or a
// read fails. Re-entrant: any thread, several at once.
[[nodiscard]] std::string FileDigest(const std::string& path);

} // namespace dg
