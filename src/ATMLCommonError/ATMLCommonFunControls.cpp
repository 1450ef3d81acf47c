// The tree and list control helpers of CATMLCommonFun.
#include "ATMLCommonError/ATMLCommonFun.h"
#include "ATMLCommonError/Answering.h"
#include "platform/win32/LastError.h"

int CATMLCommonFun::ExpandTreeItem(CTreeCtrl* tree, HTREEITEM item, bool all) {
    if (!tree) return 1;
    if (!item) item = tree->GetRootItem();
    if (!item) return 1;
    tree->Expand(item, TVE_EXPAND);
    for (HTREEITEM child = tree->GetChildItem(item); child; child = tree->GetNextSiblingItem(child)) {
        if (all) ExpandTreeItem(tree, child, true);
        else tree->Expand(child, TVE_COLLAPSE);
    }
    return 1;
}

int CATMLCommonFun::CollapseTreeItem(CTreeCtrl* tree, HTREEITEM item) {
    if (!tree) return 1;
    if (!item) item = tree->GetRootItem();
    if (!item) return 1;
    for (HTREEITEM child = tree->GetChildItem(item); child; child = tree->GetNextSiblingItem(child))
        ExpandTreeItem(tree, child, false);
    tree->Expand(item, TVE_COLLAPSE);
    return 1;
}

int CATMLCommonFun::DeleteTreeChildren(CTreeCtrl* tree, HTREEITEM item) {
    if (!tree || !item) return 1;
    while (HTREEITEM child = tree->GetChildItem(item))
        if (!tree->DeleteItem(child)) return -1;
    return 1;
}

int CATMLCommonFun::InsertListColumns(CListCtrl* list, int count, const int* widths, const CString* titles,
                                      int format) {
    return HelperAnswer(*this, 30, [&] {
        if (!list || !widths || !titles) {
            SetErrorCode(3);
            SetErrorInfo("空");
            return -1;
        }
        if (count < 0) {
            RecordControlFailure(30, ERROR_INVALID_PARAMETER);
            return -1;
        }
        for (int column = 0; column < count; ++column) {
            if (list->InsertColumn(column, titles[column], format, widths[column], column) < 0) {
                RecordControlFailure(30, GetLastError());
                return -1;
            }
        }
        return 1;
    });
}

int CATMLCommonFun::InsertListRow(CListCtrl* list, const CString* texts, int count, int image, int item) {
    return HelperAnswer(*this, 31, [&] {
        if (!list || !texts) {
            SetErrorCode(3);
            SetErrorInfo("空");
            return -1;
        }
        if (item == -1) item = list->GetItemCount();
        if (item < 0 || item > list->GetItemCount() || count < 0) {
            RecordControlFailure(31, ERROR_INVALID_PARAMETER);
            return -1;
        }
        item = list->InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_STATE, item, count > 0 ? texts[0].GetString() : "",
                                INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK, image, 0);
        if (item < 0) {
            RecordControlFailure(31, GetLastError());
            return -1;
        }
        for (int subItem = 1; subItem < count; ++subItem) {
            if (!list->SetItemText(item, subItem, texts[subItem])) {
                RecordControlFailure(32, GetLastError());
                return -1;
            }
        }
        return 1;
    });
}

int CATMLCommonFun::SetListItemImage(CListCtrl* list, int item, int image) {
    return HelperAnswer(*this, 33, [&] {
        if (!list) {
            SetErrorCode(3);
            SetErrorInfo("空");
            return -1;
        }
        if (!list->SetItem(item, 0, LVIF_IMAGE, nullptr, image, 0, 0, 0)) {
            RecordControlFailure(33, GetLastError());
            return -1;
        }
        return 1;
    });
}
