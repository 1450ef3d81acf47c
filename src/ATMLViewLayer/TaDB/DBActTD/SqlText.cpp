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

namespace {
const char kUnbuiltPattern[] = "(a statement that memory was too short to build)";

[[noreturn]] std::string NoText(const char*, size_t) { throw std::bad_alloc(); }
}  // namespace

ado::Command sqltext::Unbuilt() noexcept {
    return ado::Command{std::string(), {}, ado::Origin::Library, kUnbuiltPattern, &NoText};
}

// The pattern is the library's own: one without its one %s is refused by the
// statement's run, like any statement the engine cannot prepare.
ado::Command ConditionSql(const char* pattern, const char* condition) noexcept {
    try {
        std::string text = pattern;
        const size_t slot = text.find("%s");
        if (slot == std::string::npos || text.find("%s", slot + 2) != std::string::npos)
            return ado::Command{std::string(), {}, ado::Origin::HostCondition};
        text.replace(slot, 2, condition);
        return ado::Command{std::move(text), {}, ado::Origin::HostCondition};
    } catch (const std::bad_alloc&) {
        return sqltext::Unbuilt();
    }
}
