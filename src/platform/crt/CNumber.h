// Numbers read from the start of a text as the C library's atof and atoi
// read them in the "C" locale, whatever locale the process has set: a
// comma-decimal locale must not turn "1.5" into 1.
#pragma once

// Leading blanks skipped, the longest leading number taken, 0.0 when the
// text does not begin with a number (null reads as 0.0).
double AtofInCLocale(const char* text);

// The same for a decimal integer; a number beyond the int range gives the
// nearest end of the range instead of overflowing.
int AtoiInCLocale(const char* text);
