// The scratch files of copies. A copy writes its file under a name of the
// library's own beside its destination: hidden, marked as the library's,
// made of a hash of the destination's name and a slot number, so that it is
// as long whatever that name (a name that fits the folder's limit always
// has a scratch name that fits too), and so that the scratch files of a
// destination are found without listing the folder, which its user may not
// be allowed to read. Only regular files of such names, that no one holds,
// are ever removed as abandoned.
#pragma once
#include <cerrno>
#include <string>

namespace fileshare {
class Hold;
// errno of a copy that found no free slot for its scratch file where some
// slot is taken by something the library did not make: a link, a folder, a
// named pipe, a socket or a device.
const int kScratchNamesTaken = EXFULL;
}  // namespace fileshare

// The name pattern of a scratch file for target, ending in six "X" where
// each scratch file has its own six characters.
std::string ScratchPattern(const std::string& target);
// Whether a file name (without its folder) is that of a scratch file of any copy.
bool IsScratchName(const std::string& name);

// Makes a scratch file for target, in a slot no other copy has, and holds it
// exclusively; its path in scratch. A slot that anything else takes is
// skipped. The caller has the folder locked. False with errno set (EBUSY
// when copies take every slot, kScratchNamesTaken when other things take
// some of them).
bool MakeScratch(const std::string& target, fileshare::Hold& made, std::string& scratch);

// Writes the whole of the file open at from into the scratch file open at
// to; false with errno set when it cannot.
bool CopyBytes(int from, int to);

// Whether the database engine refuses target, or the scratch files of
// copies onto it, for their length: its limit, counted as it counts it,
// decides where a project can be opened and copied to alike.
bool TooLongForAProject(const std::string& target);

// Removes the scratch files of copies onto target that were killed
// part-way; one that a copy still holds stays. The caller has the folder
// locked.
void RemoveAbandonedScratch(const std::string& target);

// Where the regular file at path has exactly one other name, and that name
// is an abandoned scratch file of a copy onto path (killed between placing
// its file by a hard link and removing its scratch name), removes that name;
// the caller has the folder locked. True when it did; errno stays as it was
// when not.
bool RemoveAbandonedSecondNameLocked(const std::string& path);
// Whether the regular file at path, found with a second name, has one name
// once the folder is locked: a copy that places its file by a hard link
// removes its scratch name before it lets go of the lock, and an abandoned
// scratch name goes (RemoveAbandonedSecondNameLocked). It waits only for the
// folder lock, and errno stays as it was when not.
bool OneNameUnderTheFolderLock(const std::string& path);
