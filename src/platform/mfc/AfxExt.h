// What the library exports to its hosts. The library is built with hidden
// visibility: only the classes marked AFX_EXT_CLASS and the functions marked
// AFX_EXT_API are reachable from outside it; the layers inside (the database
// layer above all) stay private to it.
#pragma once

#define AFX_EXT_CLASS __attribute__((visibility("default")))
#define AFX_EXT_API __attribute__((visibility("default")))
// A member of an exported class that hosts never reach (its signature may
// name the layers inside): it stays inside.
#define AFX_INTERNAL __attribute__((visibility("hidden")))
