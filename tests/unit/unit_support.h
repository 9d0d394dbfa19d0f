// Helpers of the unit tests: a folder of the test's own, whole files read back, the names a
// directory scan gives, and (POSIX) an environment variable set for one scope.
#pragma once

#include "platform/directory_scan.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <set>
#include <string>

namespace dg::test {

// A folder of its own under the system's temporary directory, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        do
            root_ = std::filesystem::temp_directory_path() /
                    ("dg-unit-" + std::to_string(random()) + std::to_string(random()));
        while (!std::filesystem::create_directory(root_));
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] std::string Path(const std::string& name = {}) const {
        return name.empty() ? root_.string() : (root_ / name).string();
    }

    // Writes the bytes to a new file in the folder, its folders made, and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = Path(name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::ssize(bytes));
        return path;
    }

private:
    std::filesystem::path root_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The names of the entries that match the pattern; the scan must open.
inline std::set<std::string> ScanNames(const std::string& directory, const std::string& pattern) {
    std::set<std::string> names;
    EXPECT_TRUE(OpenDirectoryScan(0, directory, pattern));
    while (NextDirectoryEntry(0))
        names.insert(DirectoryEntryName(0));
    EXPECT_EQ(DirectoryEntryType(0), EntryNone);
    CloseDirectoryScan(0);
    return names;
}

#ifndef _WIN32
// Sets the variable, or removes it for nullptr, until the end of the scope.
struct ScopedVariable {
    ScopedVariable(const char* variable, const char* value) : name(variable) {
        if (const char* old = std::getenv(variable))
            saved = old;
        Set(value);
    }
    ~ScopedVariable() { Set(saved ? saved->c_str() : nullptr); }
    void Set(const char* value) const { value ? setenv(name, value, 1) : unsetenv(name); }

    const char* name;
    std::optional<std::string> saved;
};
#endif

} // namespace dg::test
