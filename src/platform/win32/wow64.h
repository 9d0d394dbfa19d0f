// File-system redirection of a 32-bit process on 64-bit Windows: asking for System32 shows
// SysWOW64. The program's own file reads want the real folders, so they turn it off around
// their calls. Never hold it around dialogs or library loads: those need the redirection.
#pragma once

namespace dg {

// Turns redirection off for the calling thread for the object's lifetime. Does nothing where
// the system has no redirection (32-bit Windows, or Windows without the functions).
class FileSystemRedirectionOff {
public:
    FileSystemRedirectionOff();
    ~FileSystemRedirectionOff();
    FileSystemRedirectionOff(const FileSystemRedirectionOff&) = delete;
    FileSystemRedirectionOff& operator=(const FileSystemRedirectionOff&) = delete;

private:
    void* oldValue_ = nullptr;
    bool disabled_ = false;
};

} // namespace dg
