// What a backend provides for directory scans: the platform's enumeration of one search
// text. The scan numbers and the search text rule are the same for every backend
// (directory_scan_portable.cpp).
#pragma once

#include <memory>
#include <string>

namespace dg {

class NativeScan {
public:
    virtual ~NativeScan() = default;
    // Moves to the next entry; false at the end.
    [[nodiscard]] virtual bool Next() = 0;
    [[nodiscard]] virtual bool IsDirectory() const = 0;
    [[nodiscard]] virtual std::string Name() const = 0;
};

// Starts the enumeration; null when it cannot be started. Nothing matching is a scan without
// entries, not a failure.
[[nodiscard]] std::unique_ptr<NativeScan> StartNativeScan(const std::string& searchText);

} // namespace dg
