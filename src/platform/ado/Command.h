// A statement on its way to the engine: its text, with "?" where a value
// goes, and the values bound to those parameters in order. Values are bound,
// never spliced into the text, so no value can change what the statement
// touches.
#pragma once
#include <string>
#include <vector>

#include "platform/ado/Variant.h"

namespace ado {

struct Command {
    std::string text;
    std::vector<Variant> values;
    // Kept prepared for the next use of the same text; a host's one-off
    // statement texts are not kept, so they never push the library's own out.
    bool keep = true;
};

}  // namespace ado
