#include "platform/ids.h"
#include "platform/system.h"

#include <cctype>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

namespace dg {

bool AcquireInstanceGuard(const std::string& name) {
    // The lock lives as long as the open file, which is never closed: the kernel drops it
    // when the process ends, however it ends. A process that holds it already (tests run the
    // program more than once) is the same copy.
    static int held = -1;
    if (held >= 0)
        return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    // /tmp is shared by every user: the user's id keeps one user's copy from barring another's.
    const std::string path = runtime != nullptr && *runtime == '/'
                                 ? std::string(runtime) + "/" + name + ".lock"
                                 : "/tmp/" + name + "-" + std::to_string(getuid()) + ".lock";
    // Close-on-exec: a document's program started by this one must not hold the lock on.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    held = fd;
    return true;
}

std::string CurrentDirectory() {
    std::string path(4096, '\0');
    if (getcwd(path.data(), path.size()) == nullptr)
        return "/";
    path.resize(path.find('\0'));
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

std::string InstalledDataFolder() {
    std::string exe(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", exe.data(), exe.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= exe.size())
        return {};
    exe.resize(static_cast<std::size_t>(length));
    // <prefix>/bin/digestorium keeps its data in <prefix>/share/digestorium/.
    const auto folder = exe.rfind('/');
    const auto prefix = folder == std::string::npos ? folder : exe.rfind('/', folder - 1);
    if (prefix == std::string::npos)
        return {};
    return exe.substr(0, prefix) + "/share/digestorium/";
}

long long FileSize(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return -1;
    if (S_ISDIR(info.st_mode))
        return -2;
    return static_cast<long long>(info.st_size);
}

bool AnsiCodePageIsUtf8() {
    return true;
}

long long SystemLocalDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<long long>(timegm(&local));
}

std::string AnsiToUtf8(const std::string& text) {
    return text;
}

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

namespace {

bool IsDirectory(const std::string& path) {
    return FileSize(path) == -2;
}

// XDG_DOCUMENTS_DIR as xdg-user-dirs writes it into user-dirs.dirs, a shell file: "$HOME/name"
// or an absolute path, in double quotes with backslash escapes; the last setting counts. The
// empty text when it is not set or not of that form.
std::string XdgDocumentsDirectory(const std::string& home) {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string configDir = config && *config == '/' ? config : home + "/.config";
    std::ifstream dirs(configDir + "/user-dirs.dirs");
    const std::string key = "XDG_DOCUMENTS_DIR=";
    std::string line, setting;
    while (std::getline(dirs, line)) {
        const auto start = line.find_first_not_of(" \t");
        if (start != std::string::npos && line.compare(start, key.size(), key) == 0)
            setting = line.substr(start + key.size());
    }
    std::string value;
    if (setting.starts_with('"')) {
        for (std::size_t i = 1; i < setting.size() && setting[i] != '"'; ++i)
            value += setting[i] == '\\' && i + 1 < setting.size() ? setting[++i] : setting[i];
    } else {
        value = setting.substr(0, setting.find_first_of(" \t"));
    }
    if (value == "$HOME" || value.starts_with("$HOME/"))
        return home + value.substr(5);
    return value.starts_with('/') ? value : std::string();
}

} // namespace

std::string DocumentsFolderPath() {
    const char* homeVar = std::getenv("HOME");
    if (homeVar == nullptr || *homeVar == '\0')
        return {};
    const std::string home = homeVar;
    const std::string xdg = XdgDocumentsDirectory(home);
    return !xdg.empty() && IsDirectory(xdg) ? xdg : home;
}

} // namespace dg
