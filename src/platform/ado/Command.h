// A statement on its way to the engine: its text, with "?" where a value
// goes, and the values bound to those parameters in order. Values are bound,
// never spliced into the text, so no value can change what the statement
// touches. A statement of the library may come as its pattern instead: a
// text of static storage whose address keys the statement on a connection,
// which makes the text from it once, with textOf.
#pragma once
#include <string>
#include <vector>

#include "platform/ado/Variant.h"

namespace ado {

// Who wrote a statement's text, which decides how it is prepared.
enum class Origin {
    // The library's own statement: prepared once per connection and kept.
    Library,
    // A host's statement text: kept for reuse apart from the library's own,
    // so one-off texts never push the library's statements out of the cache.
    Host,
    // A text completed with a host's condition: prepared for its one use,
    // and only as one read-only statement over the project's own tables.
    HostCondition,
};

struct Command {
    std::string text;
    std::vector<Variant> values;
    Origin origin = Origin::Library;
    // With a pattern, text stays empty: textOf(pattern, values.size()) makes it.
    const char* pattern = nullptr;
    std::string (*textOf)(const char* pattern, size_t values) = nullptr;
};

}  // namespace ado
