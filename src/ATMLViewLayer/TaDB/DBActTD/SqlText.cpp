#include "ATMLViewLayer/TaDB/DBActTD/SqlText.h"

#include <cstring>
#include <stdexcept>

CString sqltext::Fill(const char* pattern, const std::string* values, size_t count) {
    std::string out;
    size_t used = 0;
    for (const char* p = pattern; *p; ++p) {
        if (*p == '%') {
            size_t length = std::strncmp(p, "%s", 2) == 0 || std::strncmp(p, "%d", 2) == 0 ? 2
                            : std::strncmp(p, "%ld", 3) == 0                                ? 3
                                                                                            : 0;
            if (length) {
                if (used == count) throw std::logic_error(std::string("Too few values for ") + pattern);
                out += values[used++];
                p += length - 1;
                continue;
            }
        }
        out += *p;
    }
    if (used != count) throw std::logic_error(std::string("Too many values for ") + pattern);
    return CString(out);
}
