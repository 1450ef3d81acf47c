// An in-memory list control in report view with the operations of the class
// library's list control that the common helpers call. The library has no
// UI: a host's UI adapter mirrors these operations on its real control, and
// tests drive the helpers through this model.
#pragma once
#include "platform/mfc/AfxExt.h"
#include <vector>

#include "platform/mfc/CString.h"
#include "platform/ui/ChangeGate.h"
#include "platform/win32/WinTypeNames.h"

#define LVCFMT_LEFT 0x0000
#define LVCFMT_RIGHT 0x0001
#define LVCFMT_CENTER 0x0002

#define LVIF_TEXT 0x0001u
#define LVIF_IMAGE 0x0002u
#define LVIF_STATE 0x0008u
#define LVIS_STATEIMAGEMASK 0xF000u
#define INDEXTOSTATEIMAGEMASK(i) (static_cast<UINT>(i) << 12)

struct ListColumn {
    CString heading;
    int format = LVCFMT_LEFT;
    int width = 0;
    int subItem = 0;
};

class AFX_EXT_CLASS CListCtrl {
public:
    // Inserts a column before `column` (past the end: appends); its index, or -1.
    int InsertColumn(int column, LPCTSTR heading, int format, int width, int subItem);
    // Inserts an item before `item` (past the end: appends) with the text,
    // image and state that mask names; its index, or -1.
    int InsertItem(UINT mask, int item, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM param);
    // Sets a sub-item's text; FALSE for an item or a sub-item that is not there.
    BOOL SetItemText(int item, int subItem, LPCTSTR text);
    // Sets what mask names of an item (sub-item 0) or the text of a sub-item.
    BOOL SetItem(int item, int subItem, UINT mask, LPCTSTR text, int image, UINT state, UINT stateMask,
                 LPARAM param);
    int GetItemCount() const { return static_cast<int>(m_items.size()); }

    // Read back by tests and adapters.
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    const ListColumn& GetColumn(int column) const { return m_columns.at(static_cast<size_t>(column)); }
    CString GetItemText(int item, int subItem) const;
    int GetItemImage(int item) const;
    UINT GetItemState(int item, UINT mask) const;

    // Lets the next `changes` insertions and settings through and refuses
    // the ones after (last error 8), as a control that cannot allocate
    // does; a negative count refuses none. An item, sub-item or column
    // that is not there fails with last error 87.
    void FailAfter(int changes) { m_gate.FailAfter(changes); }

private:
    struct Item {
        std::vector<CString> texts;  // sub-item 0 first
        int image = 0;
        UINT state = 0;
    };
    bool IsItem(int item) const { return item >= 0 && item < GetItemCount(); }
    // Sub-item 0 is the item itself; the others need their column.
    bool IsSubItem(int subItem) const { return subItem == 0 || (subItem > 0 && subItem < GetColumnCount()); }

    std::vector<ListColumn> m_columns;
    std::vector<Item> m_items;
    ChangeGate m_gate;
};

#include "platform/mfc/AfxExtEnd.h"
