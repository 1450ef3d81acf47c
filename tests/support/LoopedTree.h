// A b-tree of a database file made to be read without end while it stays
// small: its root becomes a chain of interior pages, each of whose cells
// (and right-hand pointer) leads to the next, the last to the old root,
// now on a page of its own at the file's end. A scan reads the old tree
// once for every path, (cells + 1) to the power of levels times.
#pragma once
#include <string>

// Loops the b-tree named name ("sqlite_master" for the schema's own) in the
// database file at path, which has no log beside it; the schema is not
// touched, only pages.
void LoopTree(const std::string& path, const std::string& name, int levels, int cells);
