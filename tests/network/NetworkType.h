// The type of file system that statfs and fstatfs give in the network tests:
// the kernel's, but for what lies in one folder, which a test makes look
// like a file system of its choice. The tests link the library's objects
// into their program, whose definitions of the two come before the C
// library's, so the library's calls come here (main.cpp).
#pragma once
#include <functional>
#include <string>

namespace networktype {
// Gives what lies in folder the type; type 0 leaves every type the kernel's.
void SeeFolderAs(const std::string& folder, long type);
// Runs hook once, right before the next statfs of path.
void BeforeLookAt(const std::string& path, std::function<void()> hook);
}  // namespace networktype
