#include "platform/win32/ScratchFile.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/win32/DatabaseLog.h"
#include "platform/win32/FileHold.h"
#include "platform/win32/FolderLock.h"

namespace {
const char kMark[] = ".ruri-scratch-";
const size_t kHashDigits = 16;
const size_t kRandom = 6;
// How many copies onto one destination may write their scratch files at once.
const int kSlots = 64;

// The name of path after its folder, and its folder with its last "/" (a
// bare name has none: npos + 1 is 0).
std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }
std::string FolderPrefix(const std::string& path) { return path.substr(0, path.find_last_of('/') + 1); }

// The mark and the hash of target's name: what every scratch name of it begins with.
std::string ScratchPrefix(const std::string& target) {
    uint64_t hash = 14695981039346656037ull;  // 64-bit FNV-1a: the same in every process and build
    for (unsigned char c : NameOf(target)) hash = (hash ^ c) * 1099511628211ull;
    char digits[kHashDigits + 1];
    std::snprintf(digits, sizeof digits, "%016" PRIx64, hash);
    return kMark + std::string(digits) + "-";
}

std::string SlotName(const std::string& target, int slot) {
    char digits[kRandom + 1];
    std::snprintf(digits, sizeof digits, "%06d", slot);
    return FolderPrefix(target) + ScratchPrefix(target) + digits;
}

// The scratch files of copies onto target in its folder, as paths: all of
// them where the folder can be listed (those of earlier versions too), else
// those in the slots.
std::vector<std::string> ScratchFilesOf(const std::string& target) {
    std::vector<std::string> found;
    const std::string prefix = ScratchPrefix(target), folder = FolderPrefix(target);
    // The listing is closed whatever the reading throws (it allocates).
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(FolderOf(target).c_str()), closedir);
    if (listing) {
        while (const dirent* entry = readdir(listing.get())) {
            const std::string name = entry->d_name;
            if (name.size() == prefix.size() + kRandom && name.compare(0, prefix.size(), prefix) == 0)
                found.push_back(folder + name);
        }
        return found;
    }
    struct stat info;
    for (int slot = 0; slot < kSlots; ++slot)
        if (lstat(SlotName(target, slot).c_str(), &info) == 0) found.push_back(SlotName(target, slot));
    return found;
}

// Removes the scratch file at path unless a copy holds it: only the regular
// file looked at, held, and still there, goes; a link, a pipe or a folder
// of a scratch name is no copy's.
bool RemoveIfAbandoned(const std::string& path) {
    struct stat looked, held, there;
    if (lstat(path.c_str(), &looked) != 0 || !S_ISREG(looked.st_mode)) return false;
    fileshare::Hold hold;
    return hold.Take(path, false) && fstat(hold.Descriptor(), &held) == 0 && fileshare::SameFile(held, looked) &&
           lstat(path.c_str(), &there) == 0 && fileshare::SameFile(there, looked) && unlink(path.c_str()) == 0;
}
}  // namespace

std::string ScratchPattern(const std::string& target) {
    return FolderPrefix(target) + ScratchPrefix(target) + std::string(kRandom, 'X');
}

bool IsScratchName(const std::string& name) {
    const size_t mark = sizeof kMark - 1;
    return name.size() == mark + kHashDigits + 1 + kRandom && name.compare(0, mark, kMark) == 0;
}

bool MakeScratch(const std::string& target, fileshare::Hold& made, std::string& scratch) {
    bool foreign = false;
    for (int slot = 0; slot < kSlots; ++slot) {
        scratch = SlotName(target, slot);
        if (made.Create(scratch)) return true;
        if (errno != EEXIST) return false;
        // A copy's scratch file is a regular file of one name.
        struct stat there;
        if (lstat(scratch.c_str(), &there) == 0 && !(S_ISREG(there.st_mode) && there.st_nlink == 1)) foreign = true;
    }
    return fileshare::Refuse(foreign ? fileshare::kScratchNamesTaken : EBUSY);
}

bool CopyBytes(int from, int to) {
    std::vector<char> buffer(1 << 20);
    for (off_t at = 0;;) {
        ssize_t got = pread(from, buffer.data(), buffer.size(), at);
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        at += got;
        for (ssize_t done = 0; done < got;) {
            ssize_t put = write(to, buffer.data() + done, static_cast<size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            done += put;
        }
    }
}

bool TooLongForAProject(const std::string& target) {
    return TooLongForTheEngine(target) || TooLongForTheEngine(ScratchPattern(target));
}

void RemoveAbandonedScratch(const std::string& target) {
    for (const std::string& scratch : ScratchFilesOf(target)) RemoveIfAbandoned(scratch);
}

bool OneNameUnderTheFolderLock(const std::string& path) {
    const int err = errno;
    FolderLock folder;
    struct stat info;
    const bool one = folder.Lock(path) && (RemoveAbandonedSecondNameLocked(path) ||
                                           (stat(path.c_str(), &info) == 0 && info.st_nlink == 1));
    if (!one) errno = err;  // the caller's reason stands
    return one;
}

bool RemoveAbandonedSecondNameLocked(const std::string& path) {
    const int err = errno;
    struct stat info;
    bool removed = false;
    if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 2) {
        for (const std::string& scratch : ScratchFilesOf(path)) {
            struct stat other;
            if (lstat(scratch.c_str(), &other) == 0 && fileshare::SameFile(other, info)) {
                removed = RemoveIfAbandoned(scratch);
                break;
            }
        }
    }
    if (!removed) errno = err;
    return removed;
}
