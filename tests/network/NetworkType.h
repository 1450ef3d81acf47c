// The type of file system that statfs gives in the network tests: the
// kernel's, but for what lies in one folder, which a test makes look like a
// file system of its choice. The tests link the library's objects into
// their program, whose definition of statfs comes before the C library's,
// so the library's calls come here.
#pragma once
#include <string>

namespace networktype {
// Gives what lies in folder the type; an empty folder for none.
void SeeFolderAs(const std::string& folder, long type);
}  // namespace networktype
