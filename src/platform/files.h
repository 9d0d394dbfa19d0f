// Reading a file's contents and writing a report. The only file reads in the program go
// through InputFile, the only writes through OutputFile.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

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
// For tests: every OutputFile write fails while on. Main thread.
void FailWrites(bool on);

// A report being written: created, or emptied when a file of that name exists; others may
// read it while it is open. Bytes are collected in a buffer of BufferSize and handed to the
// system when it is full and at Close. Main thread.
class OutputFile {
public:
    static constexpr std::size_t BufferSize = 4096;

    explicit OutputFile(const std::string& path);
    // Closes a file still open; its result is lost then.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    [[nodiscard]] bool IsOpen() const;
    // Appends exactly these bytes; nothing is added or translated.
    void Write(std::string_view bytes);
    // Writes out the buffer and closes the file. false when the file never opened, or when
    // any write or the close itself failed: the half-written file is then removed.
    [[nodiscard]] bool Close();

private:
    // The backend's part: the whole of the bytes, or false.
    [[nodiscard]] bool WriteNative(const char* bytes, std::size_t size);
    [[nodiscard]] bool CloseNative();
    void RemoveNative();
    void Flush();

    std::string path_;
    long long handle_;
    bool failed_ = false;
    std::size_t used_ = 0;
    char buffer_[BufferSize];
};

} // namespace dg
