// The mounted volumes that the Linux folder tree shows beside the home and documents folders
// and the root of the file system.
#pragma once

#include <string>
#include <vector>

namespace dg {

struct MountedVolume {
    // The mount point, ending with a slash.
    std::string path;
    // The mount's number and device: another medium at the same point has others.
    std::string medium;
};

// The removable volumes of a mount table in the form of /proc/self/mountinfo: mount points
// below /media, /run/media and /mnt, with the table's escapes (\040 for a blank) decoded, in
// the table's order; a point mounted over again is listed once, with its latest mount.
[[nodiscard]] std::vector<MountedVolume> RemovableVolumes(const std::string& mountTable);

} // namespace dg
