// The path, folder and file helpers of CATMLCommonFun.
#include <vector>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "ATMLCommonError/Answering.h"
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

// The folder before the last separator (empty without one), and the name after it.
CString FolderOf(const CString& path) {
    const int cut = LastSeparator(path);
    return cut < 0 ? CString() : path.Left(cut);
}

CString NameOf(const CString& path) { return path.Mid(LastSeparator(path) + 1); }

// Gives out the part that part() makes: the empty text where memory is too short for it.
template <class Part>
void PutPart(CString& out, Part&& part) noexcept {
    out = RunAnswering(std::forward<Part>(part), EmptyText);
}
}  // namespace

void CATMLCommonFun::GetFileDir(CString path, CString& dir) { PutPart(dir, [&] { return FolderOf(path); }); }

void CATMLCommonFun::GetFileName(CString path, CString& name) { PutPart(name, [&] { return NameOf(path); }); }

void CATMLCommonFun::GetFileTitle(CString path, CString& title, bool withExt) {
    PutPart(title, [&] {
        const CString name = NameOf(path);
        const int dot = name.ReverseFind('.');
        return !withExt && dot >= 0 ? name.Left(dot) : name;
    });
}

void CATMLCommonFun::GetFileExt(CString path, CString& ext) {
    PutPart(ext, [&] {
        const CString name = NameOf(path);
        const int dot = name.ReverseFind('.');
        return dot < 0 ? CString() : name.Mid(dot + 1);
    });
}

int CATMLCommonFun::CreateDirectoryTree(CString path) {
    return HelperAnswer(*this, 60, [&] {
        std::vector<CString> deepestFirst;
        for (CString folder = path; !folder.IsEmpty(); folder = FolderOf(folder))
            if (!NameOf(folder).IsEmpty()) deepestFirst.push_back(folder);
        for (auto folder = deepestFirst.rbegin(); folder != deepestFirst.rend(); ++folder) {
            const CString onDisk = SystemPath(*folder);
            if (GetFileAttributesA(onDisk) == FILE_ATTRIBUTE_DIRECTORY) continue;
            if (!CreateDirectoryA(onDisk, nullptr)) {
                RecordSystemFailure(60, *folder, GetLastError());
                return -1;
            }
        }
        return 1;
    });
}

int CATMLCommonFun::RemoveFile(CString path) {
    return HelperAnswer(*this, 74, [&] {
        if (DeleteFileA(path)) return 1;
        RecordSystemFailure(74, path, GetLastError());
        return -1;
    });
}
