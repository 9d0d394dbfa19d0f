// Helpers of the unit tests: a folder of the test's own, whole files read back, and (POSIX)
// an environment variable set for one scope.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
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

#ifndef _WIN32
// Sets the variable, or removes it for no value, and puts the old value back at the end.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name))
            saved_ = old;
        Set(name_, value);
    }
    ~ScopedVariable() { Set(name_, saved_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    static void Set(const char* name, const std::optional<std::string>& value) {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    const char* name_;
    std::optional<std::string> saved_;
};
#endif

} // namespace dg::test
