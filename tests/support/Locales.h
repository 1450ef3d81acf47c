// The Turkish locale, built for the tests whatever the machine has
// installed: in tr_TR.UTF-8 toupper('i') stays 'i' and tolower('I') stays
// 'I', so a name folded by the locale differs from the same name folded as
// SQLite folds it.
#pragma once
#include <cstdlib>
#include <string>

#include "support/TestFiles.h"

const char kTurkish[] = "tr_TR.UTF-8";

// The folder that holds kTurkish (for LOCPATH), built on first use with
// localedef (from the locales package) into a folder of the test process's
// own; "" when it cannot be built.
inline std::string TurkishLocaleFolder() {
    static const TempDir folder;
    static const bool built =
        std::system(("localedef -i tr_TR -f UTF-8 '" + folder.File(kTurkish) + "' >/dev/null 2>&1").c_str()) == 0;
    return built ? folder.Path() : std::string();
}
