// Closes what AfxExt.h opened at the top of the same header.
#pragma pop_macro("AFX_EXT_CLASS")
#pragma pop_macro("AFX_EXT_API")
#pragma pop_macro("AFX_INTERNAL")
