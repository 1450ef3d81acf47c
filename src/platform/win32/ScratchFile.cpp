#include "platform/win32/ScratchFile.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/win32/FileHold.h"
#include "platform/win32/FolderLock.h"

namespace {
const char kMark[] = ".ruri-scratch-";
const size_t kHashDigits = 16;
const size_t kRandom = 6;

std::string NameOf(const std::string& path) {
    const size_t cut = path.find_last_of('/');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string FolderPrefix(const std::string& path) {
    const size_t cut = path.find_last_of('/');
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// The mark and the hash of target's name: what every scratch name of it begins with.
std::string ScratchPrefix(const std::string& target) {
    uint64_t hash = 14695981039346656037ull;  // 64-bit FNV-1a: the same in every process and build
    for (unsigned char c : NameOf(target)) hash = (hash ^ c) * 1099511628211ull;
    char digits[kHashDigits + 1];
    std::snprintf(digits, sizeof digits, "%016" PRIx64, hash);
    return kMark + std::string(digits) + "-";
}

// The scratch files of copies onto target in its folder, as paths.
std::vector<std::string> ScratchFilesOf(const std::string& target) {
    std::vector<std::string> found;
    const std::string prefix = ScratchPrefix(target), folder = FolderPrefix(target);
    DIR* listing = opendir(FolderOf(target).c_str());
    if (!listing) return found;  // a folder this user may not list: none are found
    while (const dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        if (name.size() == prefix.size() + kRandom && name.compare(0, prefix.size(), prefix) == 0)
            found.push_back(folder + name);
    }
    closedir(listing);
    return found;
}

// Removes the scratch file at path unless a copy holds it.
bool RemoveIfAbandoned(const std::string& path) {
    fileshare::Hold hold;
    return hold.Take(path, false) && unlink(path.c_str()) == 0;
}
}  // namespace

std::string ScratchPattern(const std::string& target) {
    return FolderPrefix(target) + ScratchPrefix(target) + std::string(kRandom, 'X');
}

int CreateScratchFile(std::string& pattern) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}() ^ static_cast<uint64_t>(getpid())};
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (size_t i = pattern.size() - kRandom; i < pattern.size(); ++i)
            pattern[i] = kLetters[random() % (sizeof kLetters - 1)];
        const int fd = open(pattern.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool IsScratchName(const std::string& name) {
    const size_t mark = sizeof kMark - 1;
    return name.size() == mark + kHashDigits + 1 + kRandom && name.compare(0, mark, kMark) == 0;
}

void RemoveAbandonedScratch(const std::string& target) {
    for (const std::string& scratch : ScratchFilesOf(target)) RemoveIfAbandoned(scratch);
}

bool RemoveAbandonedSecondName(const std::string& path) {
    const int err = errno;  // the caller's reason stands when nothing is removed
    struct stat info;
    bool removed = false;
    FolderLock folder;
    if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 2 && folder.Lock(path)) {
        for (const std::string& scratch : ScratchFilesOf(path)) {
            struct stat other;
            if (stat(scratch.c_str(), &other) == 0 && other.st_dev == info.st_dev && other.st_ino == info.st_ino) {
                removed = RemoveIfAbandoned(scratch);
                break;
            }
        }
    }
    if (!removed) errno = err;
    return removed;
}
