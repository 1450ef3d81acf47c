#include "ATMLViewLayer/TaDB/DBActTD/SqlText.h"

#include <cstring>
#include <stdexcept>

std::string sqltext::Parameters(const char* pattern, size_t count) {
    std::string out;
    size_t slots = 0;
    bool quoted = false;
    for (const char* p = pattern; *p; ++p) {
        const size_t length = std::strncmp(p, "%s", 2) == 0 || std::strncmp(p, "%d", 2) == 0 ? 2
                              : std::strncmp(p, "%ld", 3) == 0                                ? 3
                                                                                              : 0;
        if (length == 0) {
            if (*p == '\'') quoted = !quoted;
            out += *p;
            continue;
        }
        // A quoted '%s' becomes one parameter, quotes and all.
        if (quoted) {
            if (out.empty() || out.back() != '\'' || p[length] != '\'')
                throw std::logic_error(std::string("A value slot inside a longer literal: ") + pattern);
            out.back() = '?';
            quoted = false;
            ++p;
        } else {
            out += '?';
        }
        ++slots;
        p += length - 1;
    }
    if (slots != count) throw std::logic_error(std::string("Values do not match the slots of ") + pattern);
    return out;
}

ado::Command ConditionSql(const char* pattern, const char* condition) {
    std::string text = pattern;
    const size_t slot = text.find("%s");
    if (slot == std::string::npos || text.find("%s", slot + 2) != std::string::npos)
        throw std::logic_error(std::string("A condition pattern needs one %s: ") + pattern);
    text.replace(slot, 2, condition);
    return ado::Command{text, {}, ado::Origin::HostCondition};
}
