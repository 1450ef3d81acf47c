#include "platform/crt/CNumber.h"

#include <climits>
#include <cstdlib>
#include <locale.h>

namespace {
// The "C" locale object; glibc hands out a static one, so it is never freed.
locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}
}  // namespace

double AtofInCLocale(const char* text) {
    if (!text) return 0.0;
    return strtod_l(text, nullptr, CLocale());
}

int AtoiInCLocale(const char* text) {
    if (!text) return 0;
    long value = strtol_l(text, nullptr, 10, CLocale());
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}
