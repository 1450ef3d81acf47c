// A small project for the failed-allocation tests, and what a fresh store
// reads of it: every row of the tables the tests change, column by column.
#pragma once
#include <string>

#include "support/TestStore.h"

namespace sample {

const int kSetups = 3;        // set-up actions setup-0, setup-1, setup-2
const int kEntries = 4;       // entries entry-0 ... entry-3, in that order
const int kMeasurements = 2;  // measurements m-0, m-1
const int kSignals = 1;       // the signal sig-0, which setup-0 names

// Makes the project at dir/name.
std::string Make(const TempDir& dir, const std::string& name);
// Puts a copy of the project at from in place of the file at to (and its journals).
void CopyOver(const std::string& from, const std::string& to);
// Every row of the tables the tests change, as a fresh store reads them;
// "unopenable" or "unreadable" when it cannot.
std::string Rows(const TempDir& dir, const std::string& project);

// The project made for a test, what a fresh store reads of it, and the copy
// of it that each run of the test works on.
struct Sandbox {
    Sandbox() : pristine(Make(dir, "pristine.tarnprj")), before(Rows(dir, pristine)) {}
    // Puts a fresh copy in place and opens store on it; whether it opened.
    bool OpenCopy(CTaDBTDDataSingle& store) const {
        CopyOver(pristine, project);
        return store.Open(project.c_str()) == 1;
    }

    TempDir dir;
    const std::string pristine;
    const std::string project = dir.File("project.tarnprj");
    const std::string before;
};

}  // namespace sample
