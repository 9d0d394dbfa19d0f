#include "platform/files.h"
#include "platform/portable/file_faults.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dg {

InputFile::InputFile(const std::string& path) : handle_(-1) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info {};
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        close(fd);
        return;
    }
#ifdef POSIX_FADV_SEQUENTIAL
    (void)posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    handle_ = fd;
}

InputFile::~InputFile() {
    if (handle_ >= 0)
        close(static_cast<int>(handle_));
}

bool InputFile::IsOpen() const {
    return handle_ >= 0;
}

long long InputFile::Read(void* buffer, std::size_t size) {
    if (handle_ < 0 || ReadFailsAt(delivered_))
        return -1;
    // A short read is not the end of the file: fill the buffer unless the file ends.
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = read(static_cast<int>(handle_), out + done, size - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    delivered_ += static_cast<long long>(done);
    return static_cast<long long>(done);
}

OutputFile::OutputFile(const std::string& path) : path_(path), handle_(-1) {
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    handle_ = fd;
}

bool OutputFile::IsOpen() const {
    return handle_ >= 0;
}

bool OutputFile::WriteNative(const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t put = write(static_cast<int>(handle_), bytes, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        bytes += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

bool OutputFile::CloseNative() {
    const int fd = static_cast<int>(handle_);
    handle_ = -1;
    return close(fd) == 0;
}

void OutputFile::RemoveNative() {
    (void)unlink(path_.c_str());
}

} // namespace dg
