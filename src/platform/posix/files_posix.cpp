#include "platform/files.h"
#include "platform/portable/read_faults.h"

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

} // namespace dg
