// The scratch files of copies. A copy writes its file under a name of the
// library's own beside its destination: hidden, marked as the library's,
// and made of a hash of the destination's name, so that it is as long
// whatever that name (a name that fits the folder's limit always has a
// scratch name that fits too). Only files of such names, that no one
// holds, are ever removed as abandoned.
#pragma once
#include <string>

// The name pattern of a scratch file for target, ending in the six "X"
// that mkostemp fills in.
std::string ScratchPattern(const std::string& target);
// Makes a scratch file of a name that pattern (of ScratchPattern) gives,
// created as any new file is (0666 less the umask), and fills the name in;
// its descriptor, or -1 with errno set.
int CreateScratchFile(std::string& pattern);
// Whether a file name (without its folder) is that of a scratch file of any copy.
bool IsScratchName(const std::string& name);

// Removes the scratch files of copies onto target that were killed
// part-way; one that a copy still holds stays. The caller has the folder
// locked.
void RemoveAbandonedScratch(const std::string& target);

// Where the regular file at path has exactly one other name, and that name
// is an abandoned scratch file of a copy onto path (killed between placing
// its file by a hard link and removing its scratch name), removes that name
// under the folder lock. True when it did; errno stays as it was when not.
bool RemoveAbandonedSecondName(const std::string& path);
