// How a copy puts its file in place: made and held beside its destination,
// made durable, then placed where nothing is or in place of a file it holds
// exclusively.
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/win32/DatabaseLog.h"
#include "platform/win32/File.h"
#include "platform/win32/FileHold.h"
#include "platform/win32/FolderLock.h"
#include "platform/win32/JournalClearing.h"
#include "platform/win32/LastError.h"
#include "platform/win32/LogNames.h"
#include "platform/win32/NetworkFileSystem.h"
#include "platform/win32/ScratchFile.h"

namespace {
// A copy looks again when the file at its destination changes under it; past
// this many looks it gives up as if the file were in use.
const int kPlaceAttempts = 100;

// Puts scratch at target only if nothing is there at that instant (EEXIST
// otherwise): a rename that refuses to replace or, where the file system has
// none, a hard link. Without either it fails (EOPNOTSUPP) rather than guess.
bool PlaceWhereNothingIs(const std::string& scratch, const std::string& target) {
    if (renameat2(AT_FDCWD, scratch.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
    if (link(scratch.c_str(), target.c_str()) == 0) {
        unlink(scratch.c_str());
        return true;
    }
    if (errno == EPERM || errno == ENOSYS) errno = EOPNOTSUPP;
    return false;
}

// Puts scratch where nothing is at target, or in place of the link that
// leads nowhere found there (link): first the journal files that an earlier
// file of that name left go, so that they never meet the new file. False
// with errno EEXIST when a file came meanwhile.
bool PlaceInAnEmptyPlace(const std::string& scratch, const std::string& target, const struct stat* link) {
    struct stat now;
    const bool nothing = lstat(target.c_str(), &now) != 0;
    if (nothing && errno != ENOENT) return false;
    if (!nothing && !(link && S_ISLNK(now.st_mode) && fileshare::SameFile(now, *link))) return fileshare::Refuse(EEXIST);
    if (!RemoveDatabaseJournals(target)) return false;
    return nothing ? PlaceWhereNothingIs(scratch, target) : rename(scratch.c_str(), target.c_str()) == 0;
}

// The new file open at fd: its name, and the permission bits it gets where
// it comes where nothing was.
struct NewFile {
    std::string scratch;
    int fd = -1;
    mode_t createdMode = 0600;
};

// Puts the new file in the place of what was looked at at target (looked:
// a file, or a link to it), whose file old holds exclusively, with the old
// file's permission bits (as a copy onto a file keeps them). The old file's
// log is folded into it first, so that at every moment the target is
// either the whole old file or the new one.
bool Replace(const NewFile& made, const std::string& target, fileshare::Hold& old, const struct stat& looked) {
    struct stat info;
    if (fstat(old.Descriptor(), &info) != 0 || fchmod(made.fd, info.st_mode & 0777) != 0) return false;
    // The old file's journals go, and the new file comes, under the engine's
    // lock on the old one: no program opens it in between. A link goes with
    // only what lies at its own journal names, which the engine never reads
    // for the file it leads to, and that file stays as it was.
    const bool link = S_ISLNK(looked.st_mode);
    if (!(link ? RemoveDatabaseJournals(target) : FoldAndClearJournals(target, old))) return false;
    struct stat now;
    if (lstat(target.c_str(), &now) != 0 || !fileshare::SameFile(now, looked)) return fileshare::Refuse(EBUSY);
    return rename(made.scratch.c_str(), target.c_str()) == 0;
}

// Puts the new file, held exclusively, at target; errno set when it cannot.
// The folder is locked throughout, so no other copy or removal changes what
// is at target, or opens a file placed there, between the look and the place.
bool Place(const NewFile& made, const std::string& target, bool failIfExists) {
    const std::string& scratch = made.scratch;
    FolderLock folder;
    if (!folder.Lock(target)) return false;
    for (int attempt = 0; attempt < kPlaceAttempts; ++attempt) {
        struct stat there;
        const bool nothing = lstat(target.c_str(), &there) != 0;
        if (nothing && errno != ENOENT) return false;
        if (!nothing && failIfExists) return fileshare::Refuse(EEXIST);
        if (!nothing) {
            fileshare::Hold old;
            if (old.Take(target, true)) return Replace(made, target, old, there);
            // A second name that a killed copy left is its own to remove.
            if (errno == fileshare::kSecondName && RemoveAbandonedSecondNameLocked(target)) continue;
            if (errno != ENOENT) return false;
            // Any file but a link that leads nowhere went meanwhile: look again.
            if (!S_ISLNK(there.st_mode)) continue;
        }
        if (fchmod(made.fd, made.createdMode) != 0) return false;
        if (PlaceInAnEmptyPlace(scratch, target, nothing ? nullptr : &there)) return true;
        // A file that came meanwhile is replaced only under a hold.
        if (errno != EEXIST || failIfExists) return false;
    }
    return fileshare::Refuse(EBUSY);
}

// Whether a step of the copy (filling the new file, placing it) succeeded;
// what it throws fails it with errno set, so that the scratch file goes.
template <class Step>
bool Succeeded(Step&& step) noexcept {
    try {
        return step();
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
    } catch (...) {
        errno = EIO;
    }
    return false;
}

BOOL PlaceFileOnce(const char* newFile, BOOL failIfExists, const FileFiller& fill, fileshare::Hold* placed) {
    if (!newFile || !*newFile) return FailFromErrno(EINVAL, newFile);
    if (fileshare::ForkedBesideThreads()) return FailFromErrno(fileshare::kForkedBesideThreads, newFile);
    const std::string target(newFile);
    // The engine must take the new file, and the scratch files of later
    // copies onto it, wherever it can be made, under a name that is no
    // journal's or folder lock's.
    if (TooLongForAProject(target)) return FailFromErrno(ENAMETOOLONG, newFile);
    if (IsReservedProjectName(target)) return FailFromErrno(fileshare::kReservedName, newFile);
    NewFile made;
    // The new file is held exclusively from its making until it is in place,
    // and shared from then on for a caller that connects to it. The scratch
    // files of killed copies go first; the folder lock keeps one just made
    // from looking abandoned before it is held.
    fileshare::Hold hold;
    {
        FolderLock folder;
        if (!folder.Lock(target)) return FailFromErrno(errno, newFile);
        RemoveAbandonedScratch(target);
        if (!MakeScratch(target, hold, made.scratch)) return FailFromErrno(errno, newFile);
    }
    made.fd = hold.Descriptor();
    // Created as any new file is (0666 less the umask): the bits it keeps
    // where it comes where nothing was. Only its owner may read it until it
    // is in place.
    struct stat info;
    const bool created = fstat(made.fd, &info) == 0;
    if (created) made.createdMode = info.st_mode & 0777;
    if (!(created && fchmod(made.fd, (made.createdMode & 0700) | 0600) == 0 &&
          Succeeded([&] { return fill(made.fd, made.scratch); }) && fsync(made.fd) == 0 &&
          Succeeded([&] { return Place(made, target, failIfExists); }))) {
        const int err = errno;
        unlink(made.scratch.c_str());
        return FailFromErrno(err, newFile);
    }
    SyncFolder(target);
    // The file is in place, whatever comes of the downgrade: a hold that
    // cannot become shared is let go, and the caller connects unheld. On a
    // network file system the caller's store will write the file: other
    // processes stay out from its placing on.
    const auto others = placed && OnNetworkFileSystem(made.fd) ? fileshare::Others::KeepOut : fileshare::Others::Share;
    if (placed && hold.Downgrade(others)) *placed = std::move(hold);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
}  // namespace

BOOL PlaceFileA(const char* newFile, BOOL failIfExists, const FileFiller& fill, fileshare::Hold* placed) {
    return WithoutThrowing([&] { return PlaceFileOnce(newFile, failIfExists, fill, placed); });
}
