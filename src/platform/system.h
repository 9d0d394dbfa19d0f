// Process-wide services: start-up and shutdown of the platform layer, the single-instance
// guard, the file system queries the shell uses, and code-page text conversions.
#pragma once

#include <string>

namespace dg {

// What separates the folders of a path, and ends a folder's path, on this platform.
#ifdef _WIN32
constexpr char PathSeparator = '\\';
#else
constexpr char PathSeparator = '/';
#endif

// Set-up and release of the user-interface backend, at start-up and at exit. Any failure
// is silent. Implemented by the user-interface backends (Win32 and Qt).
void InitialisePlatform();
void ReleasePlatform();

// Takes the named guard for this process: a named mutex on Windows, a lock on a file on
// POSIX. false when it could not be made or another process holds it. It is held until the
// process ends.
[[nodiscard]] bool AcquireInstanceGuard(const std::string& name);

// The working directory, always ending with the separator.
[[nodiscard]] std::string CurrentDirectory();
// The folder of the installed program's data, such as the manual, ending with a slash: the
// "share/digestorium" folder beside the executable's folder. The empty text on Windows,
// where the program has none.
[[nodiscard]] std::string InstalledDataFolder();
// -1 when nothing of that path exists, -2 for a directory, else the size in bytes.
[[nodiscard]] long long FileSize(const std::string& path);

// Whether the ANSI code page is UTF-8: the manifest asks for it, Windows before 10 1903
// keeps the legacy one. Always so on POSIX.
[[nodiscard]] bool AnsiCodePageIsUtf8();

// The local wall clock now, in seconds from 1970-01-01 00:00:00 reckoned as if local time
// were UTC: split by UTC rules it gives the local fields. Milliseconds are dropped.
[[nodiscard]] long long SystemLocalDate();
// The date the program goes by: SystemLocalDate. Implemented by the user-interface backends.
[[nodiscard]] long long CurrentLocalDate();

// The text from the system ANSI code page in UTF-8; unchanged when that code page is UTF-8
// already, as on POSIX.
[[nodiscard]] std::string AnsiToUtf8(const std::string& text);

// Case conversion in the system ANSI code page (ASCII only on POSIX). In UTF-8 the length may
// change: a byte that is no character becomes U+FFFD.
[[nodiscard]] std::string UpperCase(std::string text);
[[nodiscard]] std::string LowerCase(std::string text);

// The current user's documents folder; the empty text when it cannot be had. Need not end
// with the separator.
[[nodiscard]] std::string DocumentsFolderPath();
// The documents folder ending with the separator; a lone separator when it cannot be had.
[[nodiscard]] std::string DocumentsFolderWithSeparator();
// The text after the last separator (on Windows a slash counts as one too); the whole text
// when it has none.
[[nodiscard]] std::string FileNamePart(const std::string& path);

} // namespace dg
