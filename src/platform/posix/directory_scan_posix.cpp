// Directory scans over opendir and readdir.
#include "platform/portable/native_scan.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

namespace dg {

namespace {

class PosixScan final : public NativeScan {
public:
    PosixScan(DIR* directory, std::string pattern)
        : directory_(directory), pattern_(std::move(pattern)) {}
    ~PosixScan() override { closedir(directory_); }
    PosixScan(const PosixScan&) = delete;
    PosixScan& operator=(const PosixScan&) = delete;

    bool Next() override {
        while (const dirent* entry = readdir(directory_)) {
            if (!Matches(entry->d_name))
                continue;
            name_ = entry->d_name;
            isDirectory_ = entry->d_type == DT_DIR;
            // A link to a folder is a folder, as a junction is on Windows.
            if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
                struct stat info {};
                isDirectory_ = fstatat(dirfd(directory_), entry->d_name, &info, 0) == 0 &&
                               S_ISDIR(info.st_mode);
            }
            return true;
        }
        return false;
    }
    bool IsDirectory() const override { return isDirectory_; }
    std::string Name() const override { return name_; }

private:
    // On Windows "*.*" matches every name, with a dot or without.
    bool Matches(const char* name) const {
        return pattern_ == "*.*" || fnmatch(pattern_.c_str(), name, 0) == 0;
    }

    DIR* directory_;
    std::string pattern_;
    std::string name_;
    bool isDirectory_ = false;
};

} // namespace

std::unique_ptr<NativeScan> StartNativeScan(const std::string& searchText) {
    const auto cut = searchText.rfind('/');
    const std::string folder = cut == std::string::npos ? "." : searchText.substr(0, cut + 1);
    DIR* directory = opendir(folder.c_str());
    if (!directory)
        return nullptr;
    return std::make_unique<PosixScan>(directory, searchText.substr(cut + 1));
}

} // namespace dg
