// The path, folder and file helpers of CATMLCommonFun.
#include <vector>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "platform/win32/File.h"
#include "platform/win32/LastError.h"

namespace {
// The last "/" or "\" of a path, -1 when it has none.
int LastSeparator(const CString& path) {
    int slash = path.ReverseFind('/');
    int backslash = path.ReverseFind('\\');
    return slash > backslash ? slash : backslash;
}

// The path as the system reads it: both separators are "/".
CString SystemPath(CString path) {
    path.Replace("\\", "/");
    return path;
}
}  // namespace

void CATMLCommonFun::GetFileDir(CString path, CString& dir) {
    int cut = LastSeparator(path);
    dir = cut < 0 ? CString() : path.Left(cut);
}

void CATMLCommonFun::GetFileName(CString path, CString& name) { name = path.Mid(LastSeparator(path) + 1); }

void CATMLCommonFun::GetFileTitle(CString path, CString& title, bool withExt) {
    GetFileName(path, title);
    int dot = title.ReverseFind('.');
    if (!withExt && dot >= 0) title = title.Left(dot);
}

void CATMLCommonFun::GetFileExt(CString path, CString& ext) {
    CString name;
    GetFileName(path, name);
    int dot = name.ReverseFind('.');
    ext = dot < 0 ? CString() : name.Mid(dot + 1);
}

int CATMLCommonFun::CreateDirectoryTree(CString path) {
    std::vector<CString> deepestFirst;
    CString name;
    for (CString folder = path; !folder.IsEmpty(); GetFileDir(folder, folder)) {
        GetFileName(folder, name);
        if (!name.IsEmpty()) deepestFirst.push_back(folder);
    }
    for (auto folder = deepestFirst.rbegin(); folder != deepestFirst.rend(); ++folder) {
        const CString onDisk = SystemPath(*folder);
        if (GetFileAttributesA(onDisk) == FILE_ATTRIBUTE_DIRECTORY) continue;
        if (!CreateDirectoryA(onDisk, nullptr)) {
            RecordSystemFailure(60, *folder, GetLastError());
            return -1;
        }
    }
    return 1;
}

int CATMLCommonFun::RemoveFile(CString path) {
    if (!DeleteFileA(path)) {
        RecordSystemFailure(74, path, GetLastError());
        return -1;
    }
    return 1;
}
