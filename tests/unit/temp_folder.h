// A folder of its own under the system's temporary directory, removed with everything in it.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace dg::test {

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

    // Writes the bytes to a new file in the folder and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::ssize(bytes));
        return path;
    }

private:
    std::filesystem::path root_;
};

} // namespace dg::test
