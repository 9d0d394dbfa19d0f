#include "platform/win32/long_paths.h"

#include <windows.h>

#include <shlobj.h>

#include <cwchar>

namespace dg {

std::wstring WideText(const std::string& text, unsigned codePage) {
    const int size = static_cast<int>(text.size());
    const int wideSize = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (wideSize <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), wideSize);
    return wide;
}

std::string NarrowText(const std::wstring& text, unsigned codePage) {
    const int size = static_cast<int>(text.size());
    const int narrowSize =
        WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (narrowSize <= 0)
        return {};
    std::string narrow(static_cast<std::size_t>(narrowSize), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), narrowSize, nullptr,
                        nullptr);
    return narrow;
}

std::wstring SystemPath(const std::string& path) {
    const std::wstring wide = WideText(path);
    if (path.size() < MAX_PATH || path.rfind("\\\\?\\", 0) == 0)
        return wide;
    // Behind the prefix nothing is resolved any more: no relative part, no "..", no "/".
    std::wstring full(LongestPath, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), LongestPath, full.data(), nullptr);
    if (length == 0 || length >= LongestPath)
        return wide;
    full.resize(length);
    if (full.rfind(L"\\\\", 0) == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::string ItemListPath(const void* items) {
    std::wstring path(LongestPath, L'\0');
    if (items == nullptr || !SHGetPathFromIDListEx(static_cast<PCIDLIST_ABSOLUTE>(items),
                                                   path.data(), LongestPath, GPFIDL_DEFAULT))
        return {};
    path.resize(std::wcslen(path.c_str()));
    return NarrowText(path);
}

std::vector<std::string> DriveRoots(unsigned long drives) {
    std::vector<std::string> roots;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        if ((drives & (1UL << (letter - 'A'))) != 0)
            roots.push_back({letter, ':', '\\'});
    return roots;
}

} // namespace dg
