// Reading a file's contents. The only file reads in the program go through InputFile.
#pragma once

#include <cstddef>
#include <string>

namespace dg {

// A file opened for reading only, shared for reading but not for writing or deleting.
// A directory or a missing file does not open. Any thread; one object per thread.
class InputFile {
public:
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    [[nodiscard]] bool IsOpen() const;
    // Bytes delivered (0 at the end of the file), or -1 when the read failed.
    [[nodiscard]] long long Read(void* buffer, std::size_t size);

private:
    long long handle_;
    long long delivered_ = 0;
};

// For tests: every InputFile read fails once the file has delivered that many bytes;
// -1, the start, turns it off. Any thread.
void FailReadsAfter(long long bytes);

} // namespace dg
