#include "platform/win32/NetworkFileSystem.h"

#include <cstdint>
#include <linux/magic.h>
#include <sys/statfs.h>

namespace {
// Types the kernel's list of them does not name, as their file systems give them.
const uint32_t kLustreMagic = 0x0BD00BD0;
const uint32_t kGpfsMagic = 0x47504653;

const uint32_t kNetworkTypes[] = {
    NFS_SUPER_MAGIC, SMB_SUPER_MAGIC,  CIFS_SUPER_MAGIC, SMB2_SUPER_MAGIC, AFS_SUPER_MAGIC,
    AFS_FS_MAGIC,    CEPH_SUPER_MAGIC, kLustreMagic,     kGpfsMagic,       V9FS_MAGIC,
};

bool IsNetworkType(const struct statfs& info) {
    // A type is 32 bits wide: one with its top bit set (CIFS's) may come sign-extended.
    const auto type = static_cast<uint32_t>(info.f_type);
    for (uint32_t network : kNetworkTypes)
        if (type == network) return true;
    return false;
}
}  // namespace

bool OnNetworkFileSystem(const std::string& path) {
    struct statfs info;
    return statfs(path.c_str(), &info) == 0 && IsNetworkType(info);
}

bool OnNetworkFileSystem(int fd) {
    struct statfs info;
    return fstatfs(fd, &info) == 0 && IsNetworkType(info);
}
