// What the library exports to its hosts. The library is built with hidden
// visibility: only the classes marked AFX_EXT_CLASS and the functions marked
// AFX_EXT_API are reachable from outside it; the layers inside (the database
// layer above all) stay private to it.
//
// The marks are for the library's headers alone and never reach a host: a
// header includes this file first and AfxExtEnd.h last, which restores what
// the names meant before (nothing, outside the library's headers). Hence no
// include guard here.
#include <cstddef>  // libstdc++'s configuration: which string layout this build uses
#ifdef _GLIBCXX_DEBUG
// The exported classes hold libstdc++'s strings and vectors, whose layout
// that mode changes: such a host would misread every object it shares with
// the library.
#error "A host of this library cannot be built with _GLIBCXX_DEBUG: the library is built without it, and the exported classes hold standard containers whose layout that mode changes."
#endif
#if defined(_GLIBCXX_USE_CXX11_ABI) && !_GLIBCXX_USE_CXX11_ABI
// The same for the string layout of before C++11, which a host chooses with
// -D_GLIBCXX_USE_CXX11_ABI=0: its std::string is another class of another size.
#error "A host of this library cannot be built with _GLIBCXX_USE_CXX11_ABI=0: the library is built with the C++11 string layout, and the exported classes hold std::string, whose layout that setting changes."
#endif
#pragma push_macro("AFX_EXT_CLASS")
#pragma push_macro("AFX_EXT_API")
#pragma push_macro("AFX_INTERNAL")
#undef AFX_EXT_CLASS
#undef AFX_EXT_API
#undef AFX_INTERNAL

#define AFX_EXT_CLASS __attribute__((visibility("default")))
#define AFX_EXT_API __attribute__((visibility("default")))
// A member of an exported class that hosts never reach (its signature may
// name the layers inside): it stays inside.
#define AFX_INTERNAL __attribute__((visibility("hidden")))
