// Common helpers: new keys, system-error texts, the library's own path, path
// parts, folders, file removal, time texts, tree and list controls,
// component registration and the check of a typed name. Member helpers
// record a failure as code and message (no trace) and return -1; running
// out of memory is such a failure, with the helper's code (its first one
// below) and the out-of-memory text. Static helpers cannot fail: where
// memory is too short for it, a text they give is empty.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/TreeCtrl.h"
#include "platform/win32/WinTypeNames.h"

class AFX_EXT_CLASS CATMLCommonFun : public CATMLError {
public:
    CATMLCommonFun();
    virtual ~CATMLCommonFun();

    // A new key: 36 upper-case hexadecimal digits in groups of 8-4-4-4-12, no braces.
    static CString CreateGUIDString();
    // "操作系统错误信息：(n)，<system text>" or, without a system text, "操作系统错误信息：(n)。\r\n".
    static CString GetOSErrorMessage(DWORD errorNumber);
    // The file name of the module (full) or its folder without the last "/"
    // (not full). 1, or -1 with code 60 when the module is unknown.
    int GetModulePath(CString& path, HMODULE module, bool full);

    // Path parts, cut at the last "/" or "\": the folder before it (empty
    // without one), the name after it (the whole path without one), the name
    // without its last extension unless withExt, the extension without its dot.
    static void GetFileDir(CString path, CString& dir);
    static void GetFileName(CString path, CString& name);
    static void GetFileTitle(CString path, CString& title, bool withExt);
    static void GetFileExt(CString path, CString& ext);

    // Creates every missing folder of path, outermost first ("\" reads as
    // "/"). -1 with code 60 when one cannot be made, a file in its place
    // included; the folders made before stay.
    int CreateDirectoryTree(CString path);
    // Deletes a file, never a folder: -1 with code 74 when it cannot.
    int RemoveFile(CString path);

    // The local time now: 0 MM/DD/YYYY, 1 HH:MM:SS, 2 YYYY-MM-DD HH:MM:SS,
    // any other YYYYMMDD HHMMSS.
    static CString GetCurrentTimeString(int format);
    // The local time now as YYYY-MM-DDTHH:MM:SS.
    static CString GetCurrentTimeISO();

    // A null item means the root item. Expanding opens the item and, with
    // all, its whole subtree, otherwise closes its children; collapsing opens
    // each child with its own children closed, then closes the item. 1.
    static int ExpandTreeItem(CTreeCtrl* tree, HTREEITEM item, bool all);
    static int CollapseTreeItem(CTreeCtrl* tree, HTREEITEM item);
    // Deletes every child of item (none for a null item): 1, or -1 when a
    // child cannot be deleted.
    static int DeleteTreeChildren(CTreeCtrl* tree, HTREEITEM item);

    // Columns 0 to count-1 with format, widths[i] and titles[i]: 1, or -1
    // with code 3 (a null argument) or 30.
    int InsertListColumns(CListCtrl* list, int count, const int* widths, const CString* titles, int format);
    // An item at index (-1: appended) with texts[0], the image and state
    // image 1, and texts 1 to count-1 in its sub-items: 1, or -1 with code 3,
    // 31 (bad index or count, refused insertion) or 32 (a text refused).
    int InsertListRow(CListCtrl* list, const CString* texts, int count, int image, int item);
    // The image of an item: 1, or -1 with code 3 or 33.
    int SetListItemImage(CListCtrl* list, int item, int image);

    // Loads the library, runs its DllRegisterServer (registering exactly 1)
    // or DllUnregisterServer and unloads it: 1, or -1 with code 53 (empty
    // path), 40 (not loaded), 42 (no entry point), 43 (entry point failed)
    // or 41 (not unloaded).
    int RegisterComponent(CString path, BOOL registering);

    // 1 for a name a user may give, 0 with the reason in message: empty, over
    // 50 bytes (an ASCII character counts one, any other two), or holding one
    // of \ / : * ? < > | , ; (-1 with the out-of-memory text when memory runs out)
    static int CheckName(CString name, CString& message);

private:
    // Code and "<subject>，“<system text of error>”。".
    void RecordSystemFailure(long code, const CString& subject, DWORD error);
    // Code and the system text of error.
    void RecordControlFailure(long code, DWORD error);
};

#include "platform/mfc/AfxExtEnd.h"
